#!/usr/bin/env bash
# Times quorvane-export dump (JSON Lines, and CSV with --csv) against dbfread_dump.py on one
# generated table, in rounds A C B A C B, and reports the ratios of wall-clock and of processor
# time (user + system; the fairer figure on a shared machine) and each side's peak memory
# (/usr/bin/time -v).
# Usage: bench/dump/run-dump-bench.sh RELEASE_BUILD_DIR [RECORDS] [PAIRS]
# The build folder must hold a Release build (no sanitizers) of quorvane-export and
# bench_dump_make_table.
set -euo pipefail
build=$(cd "$1" && pwd)
records=${2:-1000000}
pairs=${3:-2}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/dump/bench_dump_make_table" "$work/orders.dbf" "$records"
echo "table: $records records, $(du -k "$work/orders.dbf" | cut -f1) KiB .dbf," \
     "$(du -k "$work/orders.fpt" | cut -f1) KiB .fpt"

# measure NAME COMMAND...: prints "NAME wall_seconds cpu_seconds peak_kib"
measure() {
    local name=$1; shift
    /usr/bin/time -v -o "$work/time.txt" "$@" > /dev/null
    awk -v name="$name" -F': ' '
        /Elapsed \(wall clock\)/ { n = split($2, p, ":"); for (i = 1; i <= n; i++) wall = wall * 60 + p[i] }
        /User time \(seconds\)/ { cpu += $2 }
        /System time \(seconds\)/ { cpu += $2 }
        /Maximum resident set size/ { kib = $2 }
        END { print name, wall, cpu, kib }' "$work/time.txt"
}

for ((i = 1; i <= pairs; i++)); do
    measure quorvane "$build/programs/quorvane-export/quorvane-export" dump "$work" orders
    measure csv "$build/programs/quorvane-export/quorvane-export" dump --csv "$work/orders.dbf"
    measure dbfread /usr/bin/python3 "$here/dbfread_dump.py" "$work/orders.dbf"
done | tee "$work/results.txt"

awk '{ w[$1] += $2; c[$1] += $3; n[$1]++; if ($4 > m[$1]) m[$1] = $4 }
     END {
       qw = w["quorvane"] / n["quorvane"]; dw = w["dbfread"] / n["dbfread"];
       qc = c["quorvane"] / n["quorvane"]; dc = c["dbfread"] / n["dbfread"];
       cw = w["csv"] / n["csv"]; cc = c["csv"] / n["csv"];
       printf "mean wall seconds: quorvane %.2f, dbfread %.2f; dbfread/quorvane = %.1fx\n", qw, dw, dw / qw;
       printf "mean cpu seconds: quorvane %.2f, dbfread %.2f; dbfread/quorvane = %.1fx\n", qc, dc, dc / qc;
       printf "CSV against JSON Lines: wall %.2f s / %.2f s = %.2fx, cpu %.2f s / %.2f s = %.2fx\n", cw, qw, cw / qw, cc, qc, cc / qc;
       printf "peak memory: quorvane %.1f MiB, csv %.1f MiB, dbfread %.1f MiB\n", m["quorvane"] / 1024, m["csv"] / 1024, m["dbfread"] / 1024
     }' "$work/results.txt"
