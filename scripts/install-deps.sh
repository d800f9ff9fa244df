#!/usr/bin/env bash
# Installs every Debian package the project needs (build, tests, demo). Idempotent.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev
  unixodbc unixodbc-dev odbc-mariadb tdsodbc
  mariadb-server mariadb-client
  mdbtools mdbtools-dev libsqlite3-dev sqlite3
  qt6-base-dev qt6-translations-l10n fonts-crosextra-carlito xvfb xauth
  libsodium-dev
)
# npm fetches the Jet test file; a machine that already has npm (from anywhere) keeps it.
command -v npm >/dev/null 2>&1 || packages+=(npm)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
