#!/usr/bin/env bash
# tools/check-tree.sh against includes planted in a copy of the tree's build files: each one
# that points up or across the layers fails the check, naming the file and line; one that a
# public link allows passes. Usage: tests/tools/check-tree-layers.sh SOURCE_DIR
set -uo pipefail
source_dir=$(cd "$1" && pwd)
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
failures=0

# name | folder of the planted header | what it includes | exit status expected
cases=(
  "rows_including_the_database_above_it|components/rows|components/database/Connection.h|1"
  "writer_including_the_engine_beside_it|components/xlsx|components/vfp/Table.h|1"
  "component_including_a_module|components/vfp|modules/app/Main.h|1"
  "module_including_a_window|modules/export|windows/Form1.h|1"
  "window_look_including_the_windows_above_it|windows/look|windows/Form2.h|1"
  "private_link_not_passed_on|components/database|components/text/Utf8.h|1"
  "export_reaching_rows_through_the_database|modules/export|components/rows/KeepGoing.h|0"
  "folder_including_itself|components/xlsx|components/xlsx/XmlText.h|0"
)
for row in "${cases[@]}"; do
  IFS='|' read -r name folder include expected <<< "$row"
  rm -rf "${copy:?}"/*
  (cd "$source_dir" && cp ARCHITECTURE.md .clang-format "$copy" \
    && find components modules windows programs samples -name CMakeLists.txt \
      -exec cp --parents {} "$copy" \;)
  printf '// Planted.\n#include "%s"\n' "$include" > "$copy/$folder/Planted.h"
  output=$(bash "$source_dir/tools/check-tree.sh" "$copy")
  status=$?
  if [[ $status -ne $expected ]] \
    || { [[ $expected -eq 1 ]] && ! grep -qF "$folder/Planted.h:2 includes $include" <<< "$output"; }; then
    echo "FAILED $name: check-tree.sh exited $status, $expected expected:"
    echo "$output"
    failures=1
  fi
done
exit $failures
