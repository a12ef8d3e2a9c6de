#!/bin/bash
# A PostgreSQL server of the tests' own, started and stopped by ctest
# fixtures:  postgres_fixture.sh start|stop STATE_FOLDER
# start: a fresh cluster in a new temporary folder on a free loopback port,
# run by an unprivileged user (the tests may run as root, which PostgreSQL
# refuses), and writes its address, postgresql://mg@127.0.0.1:PORT/postgres,
# to STATE_FOLDER/url and its folder to STATE_FOLDER/cluster. stop: stops it
# and removes both folders.
# Without PostgreSQL installed, start writes no address and the tests leave
# PostgreSQL out; under CI=true that is a failure.
set -euo pipefail
action="$1"
state="$2"

bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)
as_owner=()
if [ "$(id -u)" -eq 0 ]; then as_owner=(setpriv --reuid=nobody --regid=nogroup --clear-groups); fi

case "$action" in
start)
  rm -rf "$state"
  mkdir -p "$state"
  if [ -z "$bin" ] || [ ! -x "$bin/initdb" ]; then
    echo "PostgreSQL is not installed (postgresql): its tests are left out" >&2
    [ "${CI:-}" = true ] && exit 1
    exit 0
  fi
  folder=$(mktemp -d "${TMPDIR:-/tmp}/mg-postgres-XXXXXX")
  echo "$folder" >"$state/cluster"
  chmod 755 "$folder"
  if [ "$(id -u)" -eq 0 ]; then chown nobody:nogroup "$folder"; fi
  # Trust on loopback only: a throwaway cluster for the tests' own use.
  "${as_owner[@]}" "$bin/initdb" -D "$folder/data" -U mg -A trust -E UTF8 --no-sync \
    >"$state/initdb.log" 2>&1 || { cat "$state/initdb.log" >&2; exit 1; }
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    port=$((20000 + RANDOM % 30000))
    if "${as_owner[@]}" "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 30 \
      -o "-p $port -k $folder -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200" \
      start >/dev/null; then
      echo "postgresql://mg@127.0.0.1:$port/postgres" >"$state/url"
      exit 0
    fi
  done
  cat "$folder/server.log" >&2
  exit 1
  ;;
stop)
  if [ -f "$state/cluster" ]; then
    folder=$(cat "$state/cluster")
    if [ -d "$folder/data" ]; then
      "${as_owner[@]}" "$bin/pg_ctl" -D "$folder/data" -m fast -w stop >/dev/null || true
    fi
    rm -rf "$folder"
  fi
  rm -rf "$state"
  ;;
esac
