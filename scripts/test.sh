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
trap '"$root/scripts/test-db.sh" stop "$root/build/testdb"' EXIT
# shellcheck disable=SC1091
source build/testdb/test-db.env
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j"$(nproc)" --timeout 600
