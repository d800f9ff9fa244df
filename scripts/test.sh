#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds and runs every test against a throwaway
# MariaDB server, which is stopped again however the tests end.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
scripts/test-db.sh start build/testdb
xvfb_pid=""
display_file=$(mktemp)
stop_all() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -f "$display_file"
  "$root/scripts/test-db.sh" stop "$root/build/testdb"
}
trap stop_all EXIT
# shellcheck disable=SC1091
source build/testdb/test-db.env
# The views are tested on a real X display when Xvfb is installed; it picks a free display
# number itself and writes it out once it accepts clients. Offscreen otherwise.
export QT_QPA_PLATFORM=offscreen
if command -v Xvfb >/dev/null 2>&1; then
  Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
  done
  if [ -s "$display_file" ]; then
    export DISPLAY=":$(head -n1 "$display_file")" QT_QPA_PLATFORM=xcb
    echo "The views are tested on Xvfb, display $DISPLAY"
  fi
fi
cd build
ctest --output-on-failure -j"$(nproc)" --timeout 600
