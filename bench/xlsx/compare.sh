#!/bin/sh
# Runs the bare libxlsxwriter yardstick (A) and the component (B) in turn, PAIRS times each, and
# prints each pair's B/A ratio of CPU time (wall time too) and the medians. Build Release first:
#   cmake -S . -B build/rel -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BENCH=ON
#   cmake --build build/rel --target bench_xlsx_bare bench_xlsx_component
#   bench/xlsx/compare.sh build/rel 1000000 5 text
# Usage: compare.sh BUILD_DIR [ROWS=1000000] [PAIRS=5] [text|number]
set -eu
. "$(dirname "$0")/../median.sh"
build=$1
rows=${2:-1000000}
pairs=${3:-5}
mode=${4:-text}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
ratios=""
wallRatios=""
as=""
bs=""
i=0
while [ "$i" -lt "$pairs" ]; do
    a=$("$build/bench/xlsx/bench_xlsx_bare" "$rows" "$out/a.xlsx" "$mode")
    b=$("$build/bench/xlsx/bench_xlsx_component" "$rows" "$out/b.xlsx" "$mode")
    aCpu=$(echo "$a" | awk '{print $5}'); bCpu=$(echo "$b" | awk '{print $5}')
    r=$(awk -v a="$aCpu" -v b="$bCpu" 'BEGIN { printf "%.3f", b / a }')
    w=$(awk -v a="$(echo "$a" | awk '{print $4}')" -v b="$(echo "$b" | awk '{print $4}')" 'BEGIN { printf "%.3f", b / a }')
    echo "pair $((i + 1)): CPU bare ${aCpu}s component ${bCpu}s ratio $r (wall ratio $w)"
    as="$as $aCpu"; bs="$bs $bCpu"; ratios="$ratios $r"; wallRatios="$wallRatios $w"
    i=$((i + 1))
done
echo "median ($mode, $rows rows x 10): CPU bare $(median "$as")s component $(median "$bs")s ratio $(median "$ratios") (wall ratio $(median "$wallRatios"))"
