#!/bin/sh
# The export run (A) against one or more yardsticks (B), in turn, PAIRS rounds: each round runs
# A, then every yardstick. A yardstick is the bare libxlsxwriter program of bench/xlsx writing
# the same number of short texts ("bare"), a bare libxlsxwriter program writing the very cells
# of the export, prepared beforehand ("cells"), or LibreOffice converting the same .dbf with its
# own dBase import ("soffice"). Prints each run's wall and CPU times and peak memory, the B/A
# ratios, then the medians per yardstick. Build Release without sanitizers first:
#   cmake -S . -B build/rel -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BENCH=ON -DQUORVANE_TESTS=OFF
#   cmake --build build/rel --target bench_export bench_export_make_table bench_export_bare_cells \
#       bench_xlsx_bare
#   bench/export/compare.sh build/rel 200000 3 bare,soffice   # soffice needs libreoffice-calc
#                                                              # and libreoffice-base-drivers
#   bench/export/compare.sh build/rel 1000000 1 bare           # memory at a million records
# Usage: compare.sh BUILD_DIR [RECORDS=200000] [PAIRS=5] [YARDSTICK[,YARDSTICK...]=bare]
set -eu
. "$(dirname "$0")/../median.sh"
build=$1
records=${2:-200000}
pairs=${3:-5}
yardsticks=$(echo "${4:-bare}" | tr ',' ' ')
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/export/bench_export_make_table" "$work/people.dbf" "$records"

# Runs a command; prints "wall cpu peakMiB" (wall to the millisecond, CPU and peak by GNU time).
measure() {
    start=$(date +%s%N)
    /usr/bin/time -f '%U %S %M' -o "$work/time" "$@" > /dev/null 2>&1
    end=$(date +%s%N)
    awk -v ns=$((end - start)) '{ printf "%.3f %.2f %.1f\n", ns / 1e9, $1 + $2, $3 / 1024 }' \
        "$work/time"
}

run() {
    case $1 in
    export) measure "$build/bench/export/bench_export" "$work" people "$work/a.xlsx" ;;
    soffice) measure soffice -env:UserInstallation="file://$work/profile" --headless \
                 --infilter=dBase:1 --convert-to xlsx --outdir "$work/lo" "$work/people.dbf" ;;
    cells) measure "$build/bench/export/bench_export_bare_cells" "$records" "$work/b.xlsx" ;;
    bare) measure "$build/bench/xlsx/bench_xlsx_bare" "$records" "$work/b.xlsx" text ;;
    *) echo "unknown yardstick $1" >&2; exit 2 ;;
    esac
}

for y in $yardsticks; do
    [ "$y" = soffice ] && run soffice > /dev/null  # the first start only sets up the profile
    eval "walls_$y=''; cpus_$y=''"
done
i=1
while [ "$i" -le "$pairs" ]; do
    a=$(run export)
    set -- $a
    aWall=$1; aCpu=$2
    echo "round $i: export wall ${aWall}s cpu ${aCpu}s peak ${3}MiB"
    for y in $yardsticks; do
        b=$(run "$y")
        set -- $b
        wall=$(awk -v a="$aWall" -v b="$1" 'BEGIN { printf "%.1f", b / a }')
        cpu=$(awk -v a="$aCpu" -v b="$2" 'BEGIN { printf "%.1f", b / a }')
        echo "         $y wall ${1}s cpu ${2}s peak ${3}MiB | $y/export wall $wall cpu $cpu"
        eval "walls_$y=\"\$walls_$y $wall\"; cpus_$y=\"\$cpus_$y $cpu\""
    done
    i=$((i + 1))
done
echo "export file: $(stat -c %s "$work/a.xlsx") bytes"
for y in $yardsticks; do
    eval "w=\$walls_$y; c=\$cpus_$y"
    echo "median $y/export ($records records x 10 fields): wall $(median "$w") cpu $(median "$c")"
done
