#!/bin/sh
# The export run (A) against one or more yardsticks (B), in turn, PAIRS rounds: each round runs
# A, then every yardstick. A yardstick is the bare libxlsxwriter program of bench/xlsx writing
# the same number of short texts ("bare"), a bare libxlsxwriter program writing the very cells
# of the export, prepared beforehand ("cells"), or LibreOffice converting the same .dbf with its
# own dBase import ("soffice"), or the export of another Release build, the one before a change
# ("before=DIR": its bench_export on the same table). Prints each run's wall and CPU times and
# peak memory, the B/A ratios, then the medians per yardstick. Build Release without sanitizers
# first:
#   cmake -S . -B build/rel -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BENCH=ON -DQUORVANE_TESTS=OFF
#   cmake --build build/rel --target bench_export bench_export_make_table bench_export_bare_cells \
#       bench_xlsx_bare
#   bench/export/compare.sh build/rel 200000 3 bare,soffice   # soffice needs libreoffice-calc
#                                                              # and libreoffice-base-drivers
#   bench/export/compare.sh build/rel 1000000 1 bare           # memory at a million records
#   bench/export/compare.sh build/rel 1000000 7 before=/tmp/main-rel  # a change against main
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
    before=*) measure "${1#before=}/bench/export/bench_export" "$work" people "$work/b.xlsx" ;;
    *) echo "unknown yardstick $1" >&2; exit 2 ;;
    esac
}

# The name of a yardstick's variables ("before=/tmp/x" gives before__tmp_x).
key() { printf '%s' "$1" | tr -c 'A-Za-z0-9_' '_'; }

for y in $yardsticks; do
    [ "$y" = soffice ] && run soffice > /dev/null  # the first start only sets up the profile
    eval "walls_$(key "$y")=''; cpus_$(key "$y")=''"
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
        wall=$(awk -v a="$aWall" -v b="$1" 'BEGIN { printf "%.2f", b / a }')
        cpu=$(awk -v a="$aCpu" -v b="$2" 'BEGIN { printf "%.2f", b / a }')
        echo "         $y wall ${1}s cpu ${2}s peak ${3}MiB | $y/export wall $wall cpu $cpu"
        k=$(key "$y")
        eval "walls_$k=\"\$walls_$k $wall\"; cpus_$k=\"\$cpus_$k $cpu\""
    done
    i=$((i + 1))
done
echo "export file: $(stat -c %s "$work/a.xlsx") bytes"
for y in $yardsticks; do
    eval "w=\$walls_$(key "$y"); c=\$cpus_$(key "$y")"
    echo "median $y/export ($records records x 10 fields): wall $(median "$w") cpu $(median "$c")"
done
