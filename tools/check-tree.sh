#!/usr/bin/env bash
# The house rules of the source tree, checked: every C and C++ file formatted by .clang-format,
# no two paths equal but for letter case, widgets only under windows/, no program entry point
# in a folder that builds a library, every top-level source folder named in ARCHITECTURE.md,
# and the layers: a folder includes only its own headers and those of the folders it links.
# Prints each breach and exits 1 when there is any. Usage: tools/check-tree.sh [SOURCE_DIR]
set -uo pipefail
cd "${1:-$(dirname "$0")/..}" || exit 2
status=0
breach() { echo "check-tree: $*"; status=1; }

if git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
  mapfile -t files < <(git ls-files --cached --others --exclude-standard | sort -u)
else
  mapfile -t files < <(find . -path ./build -prune -o -type f -print | sed 's|^\./||')
fi

# 1. Formatting.
clang_format=$(command -v clang-format-14 || command -v clang-format) || {
  breach "clang-format is not installed (tools/setup.sh installs it)"
  clang_format=""
}
if [[ -n "$clang_format" ]]; then
  for f in "${files[@]}"; do
    [[ "$f" =~ \.(cpp|h|c)$ && -f "$f" ]] || continue
    "$clang_format" --dry-run --Werror "$f" > /dev/null 2>&1 \
      || breach "$f differs from .clang-format: $clang_format -i $f"
  done
fi

# 2. Paths that differ only in letter case break checkouts on case-insensitive file systems.
while read -r clash; do
  breach "paths equal but for case: $clash"
done < <(printf '%s\n' "${files[@]}" | sort -f | uniq -D -i | paste -sd ' ' | grep .)

# 3. Widgets only under windows/: the engine, the modules and the programs link Qt Core alone.
qt_widgets=/usr/include/x86_64-linux-gnu/qt6/QtWidgets
if [[ -d "$qt_widgets" ]]; then
  widget_headers=$(ls "$qt_widgets" | grep -v '\.h$' | paste -sd '|')
  for f in "${files[@]}"; do
    [[ "$f" =~ ^(components|modules|programs)/.*\.(cpp|h)$ ]] || continue
    grep -n -E "#include <(QtWidgets/)?(${widget_headers})>" "$f" \
      | sed "s|^|$f:|" | while read -r hit; do echo "check-tree: widget outside windows/: $hit"; done
    grep -q -E "#include <(QtWidgets/)?(${widget_headers})>" "$f" && status=1
  done
fi
for f in "${files[@]}"; do
  [[ "$f" =~ ^(components|modules|programs)/.*CMakeLists\.txt$ ]] || continue
  grep -q 'Qt6::Widgets' "$f" && breach "$f links Qt Widgets outside windows/"
done

# 4. A folder that builds a library holds no program entry point.
for f in "${files[@]}"; do
  [[ "$f" == */CMakeLists.txt ]] || continue
  grep -q -E '^\s*(add_library|quorvane_core_library|quorvane_library)\(' "$f" || continue
  folder=$(dirname "$f")
  for source in "$folder"/*.cpp "$folder"/*.c; do
    [[ -f "$source" ]] || continue
    grep -q -E '^\s*int\s+main\s*\(' "$source" && breach "$source: a program entry point in the library folder $folder"
  done
done

# 5. ARCHITECTURE.md names every top-level folder that holds sources.
for folder in $(printf '%s\n' "${files[@]}" | grep '/' | cut -d/ -f1 | sort -u); do
  [[ "$folder" == .* ]] && continue
  printf '%s\n' "${files[@]}" | grep -q -E "^$folder/.*\.(cpp|h|c|txt|py|sh)$" || continue
  grep -q "\`$folder/" ARCHITECTURE.md || breach "ARCHITECTURE.md does not name the folder $folder/"
done

# 6. Layers: an #include of components/, modules/, windows/ or programs/ in a folder's sources
# names that folder or one its library (or program) links in its CMakeLists.txt: directly, or
# through what those link publicly. So an include pointing up or across fails here, and not
# only when a link happens to miss a symbol. Tests, bench and fuzz include what they link.
declare -A folder_of public_links all_links
layered=()
for f in "${files[@]}"; do
  [[ "$f" =~ ^(components|modules|windows|programs|samples)/(.+/)?CMakeLists\.txt$ && -f "$f" ]] || continue
  folder=$(dirname "$f")
  flat=$(sed 's/#.*//' "$f" | tr '\n' ' ')
  target=$(grep -oE '(quorvane_core_library|quorvane_library|add_library|add_executable)\( *[A-Za-z0-9_-]+' <<< "$flat" \
    | head -1 | sed 's/.*( *//')
  [[ -n "$target" ]] || continue
  folder_of[$target]=$folder
  layered+=("$folder:$target")
  mode=PUBLIC
  for word in $(grep -oE 'target_link_libraries\([^)]*\)' <<< "$flat" | sed 's/^target_link_libraries(//; s/)$//' | cut -d' ' -f2-); do
    case "$word" in
      PUBLIC | INTERFACE | PRIVATE) mode=$word ;;
      quorvane_*)
        all_links[$target]+=" $word"
        [[ "$mode" != PRIVATE ]] && public_links[$target]+=" $word"
        ;;
    esac
  done
done
# The folders a target's users reach: its own and those of what it links publicly, in turn.
reached() {
  local target=$1 next
  echo "${folder_of[$target]:-}"
  for next in ${public_links[$target]:-}; do reached "$next"; done
}
for entry in "${layered[@]}"; do
  folder=${entry%%:*}
  target=${entry#*:}
  allowed=$(for linked in ${all_links[$target]:-}; do reached "$linked"; done; echo "$folder")
  for source in "$folder"/*.cpp "$folder"/*.h "$folder"/*.c; do
    [[ -f "$source" ]] || continue
    while IFS=: read -r line included; do
      used=$(dirname "$included")
      grep -qxF "$used" <<< "$allowed" \
        || breach "$source:$line includes $included, but $folder does not link $used/"
    done < <(grep -noE '^\s*#\s*include\s*"(components|modules|windows|programs)/[^"]+"' "$source" \
      | sed -E 's/^([0-9]+):.*"([^"]+)"$/\1:\2/')
  done
done

exit $status
