#!/bin/sh
# The export run (A) against a yardstick (B), in turn, PAIRS times: B is the bare libxlsxwriter
# program of bench/xlsx writing the same number of short texts ("bare"), a bare libxlsxwriter
# program writing the very cells of the export, prepared beforehand ("cells"), or LibreOffice
# converting the same .dbf with its own dBase import ("soffice"). Prints each pair's wall and CPU times, peak
# memory and the B/A ratio, then the medians. Build Release first:
#   cmake -S . -B build/rel -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BENCH=ON -DQUORVANE_TESTS=OFF
#   cmake --build build/rel --target bench_export bench_export_make_table bench_export_bare_cells \
#       bench_xlsx_bare
#   bench/export/compare.sh build/rel 200000 5 bare
#   bench/export/compare.sh build/rel 200000 3 soffice   # needs libreoffice-calc and
#                                                       # libreoffice-base-drivers installed
# Usage: compare.sh BUILD_DIR [RECORDS=200000] [PAIRS=5] [bare|cells|soffice]
set -eu
. "$(dirname "$0")/../median.sh"
build=$1
records=${2:-200000}
pairs=${3:-5}
yardstick=${4:-bare}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/export/bench_export_make_table" "$work/people.dbf" "$records"

# Runs a command under GNU time; prints "wall cpu peakMiB".
measure() {
    /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$@" > /dev/null 2>&1
    awk '{ printf "%.2f %.2f %.1f\n", $1, $2 + $3, $4 / 1024 }' "$work/time"
}

runA() { measure "$build/bench/export/bench_export" "$work" people "$work/a.xlsx"; }
runB() {
    case $yardstick in
    soffice) measure soffice -env:UserInstallation="file://$work/profile" --headless \
                 --infilter=dBase:1 --convert-to xlsx --outdir "$work/lo" "$work/people.dbf" ;;
    cells) measure "$build/bench/export/bench_export_bare_cells" "$records" "$work/b.xlsx" ;;
    *) measure "$build/bench/xlsx/bench_xlsx_bare" "$records" "$work/b.xlsx" text ;;
    esac
}

[ "$yardstick" = soffice ] && runB > /dev/null  # the first start only sets up the profile
walls=""; cpus=""; i=1
while [ "$i" -le "$pairs" ]; do
    a=$(runA); b=$(runB)
    wall=$(echo "$a $b" | awk '{ printf "%.3f", $4 / $1 }')
    cpu=$(echo "$a $b" | awk '{ printf "%.3f", $5 / $2 }')
    echo "pair $i: export wall ${a%% *}s cpu $(echo "$a" | cut -d' ' -f2)s peak $(echo "$a" | cut -d' ' -f3)MiB |" \
         "$yardstick wall ${b%% *}s cpu $(echo "$b" | cut -d' ' -f2)s peak $(echo "$b" | cut -d' ' -f3)MiB |" \
         "$yardstick/export wall $wall cpu $cpu"
    walls="$walls $wall"; cpus="$cpus $cpu"; i=$((i + 1))
done
echo "median $yardstick/export ($records records x 10 fields): wall $(median "$walls") cpu $(median "$cpus")"
