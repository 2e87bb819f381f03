#!/usr/bin/env bash
# Sets up the machine, builds Quorvane and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/setup.sh"  # LibreOffice Calc among the packages: workbooks open in it
bash "$root/tools/build.sh" "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DQUORVANE_TESTS=OFF
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "Quorvane is a desktop program and needs a display: run it in a desktop session," >&2
  echo "or under a virtual one: xvfb-run -a $root/build/release/quorvane" >&2
  exit 1
fi
exec "$root/build/release/quorvane"
