#!/usr/bin/env bash
# Sets up the machine, builds Quorvane with its tests and benchmarks (warnings as errors,
# ASan and UBSan on) and runs every test; ends with ctest's summary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/setup.sh"
bash "$root/tools/setup-readers.sh"
bash "$root/tools/build.sh" "$root/build/test" -DCMAKE_BUILD_TYPE=Debug \
  -DQUORVANE_WERROR=ON -DQUORVANE_SANITIZE=ON -DQUORVANE_TESTS=ON -DQUORVANE_BENCH=ON
cd "$root/build/test"
ctest --output-on-failure --parallel "$(nproc 2>/dev/null || echo 2)" --timeout 600
