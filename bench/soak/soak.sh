#!/bin/sh
# Soak test of `vaarikas analyse` on one large text, run by hand:
#
#   bench/soak/soak.sh [BUILD_DIR] [MEGABYTES]   (defaults: build, 1024)
#
# The text is a short Estonian text repeated; every sentence is analysed on
# its own, so the whole result must be the short text's result repeated as
# often. Prints the time, the words per second, the peak memory and whether
# the result is whole. Exit status 1 when it is not.
set -eu
build=$(cd "${1:-build}" && pwd)
mb=${2:-1024}
here=$(cd "$(dirname "$0")" && pwd)
text="$here/../../tests/perf_reference/data/text.txt"
prog="$build/bin/vaarikas"
work=$(mktemp -d "${TMPDIR:-/tmp}/vaarikas-soak.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
"$prog" analyse --no-progress "$text" > one.out
size=$(wc -c < "$text")
reps=$(( mb * 1048576 / size + 1 ))
# Doubling copies: the text reaches the size in a few dozen steps.
cp "$text" big.txt
n=1
while [ $((n * 2)) -le "$reps" ]; do cat big.txt big.txt > t && mv t big.txt; n=$((n * 2)); done
reps=$n
words=$(( $(wc -w < "$text") * reps ))
echo "input: $(wc -c < big.txt) bytes, $reps copies, $words words"
/usr/bin/time -v -o time.txt "$prog" analyse --no-progress --output-dir out big.txt || { echo "analyse failed"; cat time.txt; exit 1; }
secs=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' time.txt)
user=$(sed -n 's/.*User time (seconds): //p' time.txt)
sys=$(sed -n 's/.*System time (seconds): //p' time.txt)
rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' time.txt)
echo "wall $secs, user $user s, system $sys s, peak RSS $rss kB"
awk -v w="$words" -v u="$user" -v s="$sys" 'BEGIN { printf "words per CPU second: %.0f\n", w / (u + s) }'
want=$(( $(wc -c < one.out) * reps ))
got=$(wc -c < out/big.txt.snx)
if [ "$got" -ne "$want" ]; then echo "result: $got bytes, expected $want: NOT WHOLE"; exit 1; fi
# Whole: every copy equal to the single result.
i=0
per=$(wc -c < one.out)
for k in 0 $((reps / 2)) $((reps - 1)); do
  tail -c +$((k * per + 1)) out/big.txt.snx | head -c "$per" | cmp -s - one.out || { echo "copy $k differs"; exit 1; }
done
echo "result: $got bytes, whole"
