#!/usr/bin/env bash
# Scores a whole pipeline run against the Estonian treebank samples:
#   tools/ud-score.sh [LEVELS] [SHARED_DIR]
# LEVELS: heuristics levels to run, e.g. "0 1 2" (default "1"); SHARED_DIR
# holds corpora/ud-dev and tools/udeval (default ../shared). Work files go to
# build/ud-score/<treebank>-h<level>/.
set -euo pipefail
cd "$(dirname "$0")/.."
levels=${1:-1}
shared=${2:-../shared}
udeval="$shared/tools/udeval/udeval.py"
[ -f "$udeval" ] || { echo "ud-score: no scorer at $udeval" >&2; exit 1; }
for tb in "$shared"/corpora/ud-dev/*.conllu; do
  name=$(basename "$tb" .conllu)
  for h in $levels; do
    w="build/ud-score/$name-h$h"
    rm -rf "$w"; mkdir -p "$w"
    python3 "$udeval" text "$tb" "$w/in.txt"
    build/bin/vaarikas analyse --no-progress --encoding windows-1257 --heuristics "$h" \
      --workdir "$w" "$w/in.txt" > /dev/null || echo "ud-score: the pipeline failed on $name" >&2
    echo "==== $name, heuristics $h"
    python3 "$udeval" score "$tb" "$w" --json "$w/score.json"
  done
done
