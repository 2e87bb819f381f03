# Sourced by the compare scripts: median "1.2 0.9 1.1" prints the median of the numbers.
median() { printf '%s\n' $1 | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
