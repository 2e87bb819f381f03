#!/usr/bin/env bash
# Installs what the tests read workbooks back with beyond the Debian packages: Node.js and the
# JavaScript spreadsheet libraries of tests/support/js, pinned by its lock file. A failure here
# (no network, say) is not fatal: the tests that need these readers say so and skip.
set -uo pipefail
readers="$(cd "$(dirname "$0")/.." && pwd)/tests/support/js"
if ! command -v npm > /dev/null; then
  echo "setup: installing nodejs and npm for the test readers"
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends nodejs npm ||
    { echo "setup: no npm; the SheetJS and ExcelJS read-back tests will skip"; exit 0; }
fi
if ! npm ls --prefix "$readers" --all > /dev/null 2>&1; then
  echo "setup: installing the test readers of $readers"
  npm ci --prefix "$readers" --no-audit --no-fund ||
    echo "setup: npm ci failed; the SheetJS and ExcelJS read-back tests will skip"
fi
exit 0
