#!/usr/bin/env bash
# A throwaway MariaDB server for the tests and the demo.
#   test-db.sh start DIR   initialises DIR/data, starts the server on loopback and a unix
#                          socket, and writes DIR/odbc/{odbc.ini,odbcinst.ini} and
#                          DIR/test-db.env (the exports that point ODBC at them).
#   test-db.sh stop DIR    stops the server by its own pid.
# TEST_DB_PORT, when set, is the port to listen on (a server started again on its data).
set -euo pipefail
cmd=${1:?start|stop}
dir=$(mkdir -p "${2:?folder}" && cd "$2" && pwd)
data=$dir/data
pidfile=$dir/mariadb.pid
sock=$dir/mariadb.sock
user=gradix
password='gradix'
dsn=GradixTest

stop() {
  [ -f "$pidfile" ] || return 0
  pid=$(cat "$pidfile")
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  fi
  rm -f "$pidfile"
}

free_port() {
  for port in $(seq 33306 33999); do
    (exec 3<>/dev/tcp/127.0.0.1/$port) 2>/dev/null || { echo "$port"; return; }
  done
  echo "no free port" >&2; exit 1
}

# driver_path PACKAGE LIBRARY: where the package installed the driver library.
driver_path() {
  local so
  so=$(dpkg -L "$1" 2>/dev/null | grep -m1 "/$2\$") || true
  [ -n "$so" ] || { echo "$1 is not installed" >&2; exit 1; }
  echo "$so"
}

start() {
  stop
  local server_opts=(--no-defaults --user=root --datadir="$data" --lower-case-table-names=1)
  if [ ! -d "$data/mysql" ]; then
    rm -rf "$data"; mkdir -p "$data"
    mariadb-install-db "${server_opts[@]}" --auth-root-authentication-method=normal \
      --skip-test-db >"$dir/install.log" 2>&1
  fi
  port=${TEST_DB_PORT:-$(free_port)}  # a restarted server can keep its port
  # Temporary tables in a folder of the server's own: servers of other checkouts may run
  # under the same process id (their names in a shared /tmp would collide).
  mkdir -p "$dir/tmp"
  mariadbd "${server_opts[@]}" --bind-address=127.0.0.1 --port="$port" --socket="$sock" \
    --tmpdir="$dir/tmp" \
    --pid-file="$pidfile" --log-error="$dir/error.log" --sql-mode='' \
    --character-set-server=utf8mb4 --collation-server=utf8mb4_general_ci \
    --skip-log-bin --innodb-flush-log-at-trx-commit=0 --innodb-doublewrite=0 \
    --innodb-buffer-pool-size=128M --max-connections=500 &
  for _ in $(seq 1 300); do
    mariadb --no-defaults -uroot --socket="$sock" -e 'SELECT 1' >/dev/null 2>&1 && break
    sleep 0.1
  done
  mariadb --no-defaults -uroot --socket="$sock" -e 'SELECT 1' >/dev/null || {
    cat "$dir/error.log" >&2; exit 1; }
  mariadb --no-defaults -uroot --socket="$sock" <<SQL
CREATE USER IF NOT EXISTS '$user'@'localhost' IDENTIFIED BY '$password';
CREATE USER IF NOT EXISTS '$user'@'127.0.0.1' IDENTIFIED BY '$password';
GRANT ALL PRIVILEGES ON *.* TO '$user'@'localhost' WITH GRANT OPTION;
GRANT ALL PRIVILEGES ON *.* TO '$user'@'127.0.0.1' WITH GRANT OPTION;
SQL
  mkdir -p "$dir/odbc"
  cat >"$dir/odbc/odbcinst.ini" <<INI
[MariaDB Unicode]
Description=MariaDB Connector/ODBC (Unicode)
Driver=$(driver_path odbc-mariadb libmaodbc.so)
Threading=0

[FreeTDS]
Description=FreeTDS (SQL Server)
Driver=$(driver_path tdsodbc libtdsodbc.so)
INI
  cat >"$dir/odbc/odbc.ini" <<INI
[$dsn]
Description=Gradix test server
Driver=MariaDB Unicode
SERVER=127.0.0.1
PORT=$port
SOCKET=$sock
USER=$user
PASSWORD=$password
CHARSET=utf8mb4
INI
  cat >"$dir/test-db.env" <<ENV
export ODBCSYSINI='$dir/odbc'
export ODBCINI='$dir/odbc/odbc.ini'
export GRADIX_TEST_DSN='$dsn'
export GRADIX_TEST_PORT='$port'
export GRADIX_TEST_SOCKET='$sock'
export GRADIX_TEST_USER='$user'
export GRADIX_TEST_PASSWORD='$password'
ENV
  echo "MariaDB test server on 127.0.0.1:$port (pid $(cat "$pidfile"))"
}

case "$cmd" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac
