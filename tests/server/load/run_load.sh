#!/usr/bin/env bash
# Load trial of the comparison server on 127.0.0.1 with wrk: posts, then the
# ranking pages of the first 1,000 results, each with 8 and 64 connections
# for 10 s. Prints one table row per trial.
#   run_load.sh SERVER_PROGRAM DB [WORKERS]
# DB is an SQLite file or a postgresql:// address of an empty database.
set -euo pipefail
program="$1"
db="$2"
workers="${3:-8}"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
server_pid=""
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" || true
  rm -rf "$work"
}
trap cleanup EXIT

"$program" --db "$db" --port 0 --workers "$workers" >"$work/server" 2>&1 &
server_pid=$!
for _ in $(seq 100); do grep -q listening "$work/server" && break; sleep 0.1; done
url="$(grep -o 'http://127.0.0.1:[0-9]*' "$work/server")"
python3 "$here/make_bodies.py" 200 >"$work/bodies.txt"
cp "$here/post.lua" "$here/ranking.lua" "$work/"

trial() {
  local name="$1" script="$2" connections="$3"
  (cd "$work" && wrk -t 2 -c "$connections" -d 10s --timeout 5s --latency -s "$script" "$url/") \
    >"$work/wrk.txt"
  awk -v name="$name" -v c="$connections" '
    /Requests\/sec/ { rate = $2 }
    /^ +50%/ { p50 = $2 }
    /^ +99%/ { p99 = $2 }
    /Non-2xx|Socket errors/ { errors = errors $0 }
    END { printf "| %s | %d | %.0f | %s | %s | %s |\n", name, c, rate, p50, p99,
                 errors == "" ? "none" : errors }' "$work/wrk.txt"
}
echo "| trial | connections | requests/s | p50 | p99 | errors |"
echo "|---|---|---|---|---|---|"
trial posts post.lua 8
trial posts post.lua 64
trial "ranking GETs" ranking.lua 8
trial "ranking GETs" ranking.lua 64
