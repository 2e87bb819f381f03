#!/usr/bin/env bash
# Configures and builds Quorvane into a build folder.
# Usage: tools/build.sh BUILD_DIR [extra cmake -D options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S "$root" -B "$dir" -G Ninja "$@"
cmake --build "$dir" --parallel "$jobs"
