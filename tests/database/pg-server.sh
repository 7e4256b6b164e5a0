#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts or stops the PostgreSQL server the database tests run against: a
# cluster made by initdb in a fresh temporary folder, listening only on a
# Unix socket in that folder, owned by an unprivileged user when the tests
# run as root (the server refuses to run as root).
#   pg-server.sh start STATE   writes the connection string to STATE, or
#                              "skip: why" when the server binaries are missing
#   pg-server.sh stop STATE    stops the server and removes its folder
set -euo pipefail
action=${1:?start or stop}
state=${2:?state file}
port=54329

find_bindir() {
  if [ -n "${VANDREL_PG_BINDIR:-}" ] && [ -x "$VANDREL_PG_BINDIR/pg_ctl" ]; then
    echo "$VANDREL_PG_BINDIR"; return
  fi
  local d
  for d in $(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -t/ -k5 -V -r); do
    [ -x "$d/initdb" ] && [ -x "$d/pg_ctl" ] && { echo "$d"; return; }
  done
  if command -v initdb >/dev/null && command -v pg_ctl >/dev/null; then
    dirname "$(command -v pg_ctl)"; return
  fi
}

# Runs a command as the server's user: as is for a normal user, as nobody
# when we are root.
as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    if command -v runuser >/dev/null; then
      runuser -u nobody -- "$@"
    else
      setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$@"
    fi
  else
    "$@"
  fi
}

case "$action" in
start)
  # A server left by an interrupted run goes first.
  if grep -q '^host=' "$state" 2>/dev/null; then "$0" stop "$state" >/dev/null; fi
  bindir=$(find_bindir || true)
  if [ -z "$bindir" ]; then
    echo "skip: PostgreSQL server binaries (initdb, pg_ctl) not found in /usr/lib/postgresql/*/bin or on PATH" >"$state"
    cat "$state"
    exit 0
  fi
  dir=$(mktemp -d "${TMPDIR:-/tmp}/vandrel-pg.XXXXXX")
  chmod 700 "$dir"
  [ "$(id -u)" -eq 0 ] && chown nobody "$dir"
  printf 'secret\n' >"$dir/pw"
  [ "$(id -u)" -eq 0 ] && chown nobody "$dir/pw"
  echo "$bindir" >"$dir/bindir"
  if ! as_owner "$bindir/initdb" -D "$dir/data" -U vandrel --pwfile="$dir/pw" -A scram-sha-256 \
      -E UTF8 --no-locale --no-sync >"$dir/initdb.log" 2>&1; then
    cat "$dir/initdb.log" >&2
    rm -rf "$dir"
    exit 1
  fi
  if ! as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
      -o "-c listen_addresses='' -k $dir -p $port -c fsync=off -c full_page_writes=off -c synchronous_commit=off" \
      start >/dev/null; then
    cat "$dir/server.log" >&2 || true
    rm -rf "$dir"
    exit 1
  fi
  echo "host=$dir port=$port dbname=postgres user=vandrel password=secret" >"$state"
  echo "PostgreSQL $("$bindir/postgres" --version | awk '{print $3}') started in $dir"
  ;;
stop)
  [ -f "$state" ] || exit 0
  dir=$(sed -n 's/^host=\([^ ]*\) .*/\1/p' "$state")
  rm -f "$state"
  [ -n "$dir" ] && [ -d "$dir" ] || exit 0
  bindir=$(cat "$dir/bindir")
  as_owner "$bindir/pg_ctl" -D "$dir/data" -m fast -w -t 30 stop >/dev/null || true
  rm -rf "$dir"
  echo "PostgreSQL in $dir stopped"
  ;;
*)
  echo "usage: $0 start|stop STATE" >&2
  exit 2
  ;;
esac
