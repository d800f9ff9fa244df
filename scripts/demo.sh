#!/usr/bin/env bash
# The demo, on a fresh Debian 12 machine: installs what the project needs, builds the
# program, starts a throwaway MariaDB server (data under build/demodb/) with a sample store
# database and a data source of the same name for it, puts the reference structure catalogue
# at 9.5.2 beside the program as EstBDs.mdb, and opens the program's dialog on your display. The
# server is stopped when the dialog closes.
#   scripts/demo.sh           Gradix, on a store database at structure 5.0
#                             (tests/fixtures/bd/ascenso_500.sql), data source velmar_demo
#   scripts/demo.sh taxora    Taxora, on a store database at structure 9.1 whose purchase
#                             lines wait for their tax codes
#                             (tests/fixtures/bd/impuestos_compras_910.sql), data source
#                             velmar_impuestos
# GRADIX_BUILD_DIR chooses another build folder than build/.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${GRADIX_BUILD_DIR:-build}
programa=${1:-gradix}
case "$programa" in
  gradix) base=velmar_demo fixture=ascenso_500 estructura=5.0 ;;
  taxora) base=velmar_impuestos fixture=impuestos_compras_910 estructura=9.1 ;;
  *) echo "usage: $0 [gradix|taxora]" >&2; exit 2 ;;
esac

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display: run the demo from a desktop session (DISPLAY or WAYLAND_DISPLAY set)." >&2
  exit 1
fi

scripts/install-deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target "$programa"  # gradix: and the encryption component beside it

servidor=$build/demodb
scripts/test-db.sh start "$servidor"
trap 'scripts/test-db.sh stop "$servidor"' EXIT
# shellcheck disable=SC1091
source "$servidor/test-db.env"

cliente=(mariadb --no-defaults -u"$GRADIX_TEST_USER" -p"$GRADIX_TEST_PASSWORD" --socket="$GRADIX_TEST_SOCKET")
"${cliente[@]}" -e "DROP DATABASE IF EXISTS $base; CREATE DATABASE $base;"
"${cliente[@]}" "$base" <"tests/fixtures/bd/$fixture.sql"

# The data source is named like its database: the dialog takes the source's name as the
# database name, as the suite's installations do.
cat >>"$ODBCINI" <<INI

[$base]
Description=Sample store database at structure $estructura
Driver=MariaDB Unicode
SERVER=127.0.0.1
PORT=$GRADIX_TEST_PORT
SOCKET=$GRADIX_TEST_SOCKET
USER=$GRADIX_TEST_USER
PASSWORD=$GRADIX_TEST_PASSWORD
DATABASE=$base
CHARSET=utf8mb4
INI

# The catalogue: the suite's reference catalogue at 9.5.2, numbered as "EstBDs.mdb" holds it.
rm -f "$build/$programa/EstBDs.mdb"
cat tests/fixtures/catalogo/referencia.sql tests/fixtures/catalogo/numera.sql |
  sqlite3 "$build/$programa/EstBDs.mdb"

# Step 6.0 encrypts the tills' air-time passwords with the encryption component beside the
# program, which reads its key from gradixcifrado.key there: a demo key is made once.
clave="$build/gradix/gradixcifrado.key"
if [ "$programa" = gradix ] && [ ! -s "$clave" ]; then
  (umask 077 && od -An -tx1 -N32 /dev/urandom | tr -d ' \n' >"$clave")
fi

echo "$programa: choose \"Base de Datos en MySQL\", then the data source $base, and press the update button."
"$build/$programa/$programa"
