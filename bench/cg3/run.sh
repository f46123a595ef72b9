#!/bin/sh
# Side-by-side benchmark of our disambiguator against cg3's vislcg3 (Debian
# package cg3; a benchmark-only dependency) on the same generated input.
#
#   bench/cg3/run.sh [BUILD_DIR] [WORDS]   (defaults: build, 1000000)
#
# The grammar and the input are made by bench_disamb --write (500
# disambiguation constraints, 1 to 4 readings per word), translated by
# convert.py; each engine reads its own form from a file and writes to a
# file. Prints words per second of each, the ratio, and their agreement.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
words=${2:-1000000}
build=$(cd "$build" && pwd)
command -v vislcg3 >/dev/null || { echo "vislcg3 not found: apt-get install cg3" >&2; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/vaarikas-cg3.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
"$build/bench/bench_disamb" --write . "$words"
python3 "$here/convert.py" grammar grammar.rul grammar.cg3
python3 "$here/convert.py" stream input.txt input.cg3.txt
now() { date +%s.%N; }
t0=$(now)
"$build/bin/vaarikas" disamb grammar.rul input.txt h >/dev/null
t1=$(now)
vislcg3 -g grammar.cg3 -I input.cg3.txt -O output.cg3.txt
t2=$(now)
# Words: the word cohorts of the input (markers and punctuation left out).
n=$(grep -c '^w' input.txt)
awk -v n="$n" -v a="$t0" -v b="$t1" -v c="$t2" 'BEGIN {
  ours = n / (b - a); theirs = n / (c - b);
  printf "words: %d\nvaarikas disamb: %.2f s, %.0f words/s\nvislcg3:         %.2f s, %.0f words/s\nratio (ours / vislcg3): %.2f\n",
         n, b - a, ours, c - b, theirs, ours / theirs }'
python3 "$here/compare.py" input.cgd output.cg3.txt
