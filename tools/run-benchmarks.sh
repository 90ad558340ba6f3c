#!/usr/bin/env bash
# Builds Lumo and runs every benchmark program of BUILD_DIR/bench/bin under one Xvfb display and one
# persistent wineserver, one after the other (they time things: nothing else of ours runs beside
# them). Each program's own output is kept in BUILD_DIR/bench-results/<program>.txt; the figure
# lines it prints (bench/support/KBench.h, PrintFigure: "  <what> <value> <unit>") are gathered
# into one table: program, figure, value, unit. Exits 1 when a program fails or prints no figure.
# Usage: tools/run-benchmarks.sh BUILD_DIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?build folder}
. "$here/wine-session.sh"
lumo_begin_session "$build" || exit 1

results="$LUMO_BUILD/bench-results"
rm -rf "$results"
mkdir -p "$results"
table="$results/figures.tsv"
: > "$table"
status=0
shopt -s nullglob
programs=("$LUMO_BUILD"/bench/bin/*.exe)
if [ ${#programs[@]} -eq 0 ]; then
  echo "no benchmark programs in $LUMO_BUILD/bench/bin" >&2
  exit 1
fi
for exe in "${programs[@]}"; do
  name=$(basename "$exe" .exe)
  echo "running $name ..." >&2
  # Wine's output goes to files, never to a pipe (its helper processes would hold it open).
  (cd "$(dirname "$exe")" && wine "$exe" >"$results/$name.txt" 2>"$results/$name.err" </dev/null)
  rc=$?
  # A figure line: two spaces, the figure's name, its value with three decimals, one word of unit.
  sed -n 's/^  \(.*[^ ]\)  *\(-\{0,1\}[0-9][0-9]*\.[0-9][0-9]*\) \([^ ]*\)$/\1\t\2\t\3/p' \
    "$results/$name.txt" | sed "s/^/$name\t/" > "$results/$name.tsv"
  if [ $rc -ne 0 ]; then
    printf '%s\t%s\t%s\t%s\n' "$name" "program failed, exit code $rc (see $results/$name.err)" "-" "" >> "$table"
    status=1
  elif [ ! -s "$results/$name.tsv" ]; then
    printf '%s\t%s\t%s\t%s\n' "$name" "printed no figure (see $results/$name.txt)" "-" "" >> "$table"
    status=1
  fi
  cat "$results/$name.tsv" >> "$table"
done

# The table, aligned by display width (a Chinese character takes two columns).
python3 - "$table" <<'EOF'
import sys
import unicodedata


def width(text):
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in text)


rows = [["program", "figure", "value", "unit"]]
with open(sys.argv[1], encoding="utf-8") as table:
    rows += [line.rstrip("\n").split("\t") for line in table if line.strip()]
widths = [max(width(row[i]) for row in rows) for i in range(4)]
for n, row in enumerate(rows):
    program, figure, value, unit = row
    print("%s  %s  %s  %s" % (program + " " * (widths[0] - width(program)),
                              figure + " " * (widths[1] - width(figure)),
                              " " * (widths[2] - width(value)) + value, unit))
    if n == 0:
        print("-" * (sum(widths) + 6))
EOF
echo "(raw output: $results)"
exit $status
