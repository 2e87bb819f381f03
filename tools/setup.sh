#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Quorvane needs, and those
# of the further package lists given as arguments; then, where npm is at hand, the JavaScript
# spreadsheet libraries the tests read workbooks back with (tests/support/js, as its lock file
# pins them; the tests that need them say so and skip without them).
# Idempotent: when everything is already installed it changes nothing and asks no server.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mapfile -t wanted < <(cat "$here/packages.txt" "$@" | grep -v -E '^\s*(#|$)')
missing=()
for pkg in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
if ((${#missing[@]} == 0)); then
  echo "setup: all ${#wanted[@]} packages are installed"
else
  echo "setup: installing ${missing[*]}"
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
readers="$here/../tests/support/js"
if command -v npm > /dev/null && ! npm ls --prefix "$readers" --all > /dev/null 2>&1; then
  echo "setup: installing the test readers of $readers"
  npm ci --prefix "$readers" --no-audit --no-fund
fi
