#!/usr/bin/env bash
# A store with two lanes on one PC: installs what is missing, builds,
# starts a private PostgreSQL server in the demo directory (its own socket
# there, no network port), prepares the store server and two demo lanes
# the first time, starts both tills and stops the server once both are
# closed. Run as root, the server runs as the system user postgres.
#   ./demo-store.sh          the two tills
#   ./demo-store.sh --psql   psql on the demo's store server
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-dependencies.sh
scripts/build.sh
top=$PWD

demo_dir="${TILLANO_DEMO_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/tillano-store-demo}"
mkdir -p "$demo_dir"
demo_dir=$(realpath "$demo_dir")
pg_bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)

# PostgreSQL refuses to run as root: then the cluster belongs to postgres,
# in a directory that user can reach.
as_server=()
cluster="$demo_dir/postgres"
if [ "$(id -u)" -eq 0 ]; then
  as_server=(runuser -u postgres --)
  if ! runuser -u postgres -- test -x "$demo_dir"; then
    cluster=/var/lib/postgresql/tillano-store-demo
    echo "demo-store.sh: postgres cannot reach $demo_dir; the demo's server lives in $cluster"
  fi
  mkdir -p "$cluster" && chown postgres: "$cluster" && chmod 700 "$cluster"
fi
socket="$cluster"
server_running() { "${as_server[@]}" "$pg_bin/pg_ctl" -D "$cluster/data" status >/dev/null 2>&1; }
start_server() {
  if [ ! -f "$cluster/data/PG_VERSION" ]; then
    "${as_server[@]}" "$pg_bin/initdb" -D "$cluster/data" -A trust -U postgres >/dev/null
  fi
  server_running || "${as_server[@]}" "$pg_bin/pg_ctl" -D "$cluster/data" -l "$cluster/server.log" -w \
    -o "-c listen_addresses='' -k $socket" start >/dev/null
}
psql_demo() { "$pg_bin/psql" -h "$socket" -U postgres "$@"; }

if [ "${1:-}" = --psql ]; then
  server_running || { echo "demo-store.sh: the demo's server is not running (start ./demo-store.sh first)" >&2; exit 1; }
  exec "$pg_bin/psql" -h "$socket" -U postgres tillano
fi
stop_server() { "${as_server[@]}" "$pg_bin/pg_ctl" -D "$cluster/data" -m fast -w stop >/dev/null || true; }
start_server
trap stop_server EXIT

if [ ! -f "$demo_dir/lane-1.ini" ]; then
  psql_demo -q -d postgres -c "CREATE ROLE tillano LOGIN CREATEROLE" -c "CREATE DATABASE tillano OWNER tillano"
  build/bin/tillano-server init "host=$socket dbname=tillano user=tillano"
  psql_demo -q -d postgres -c "CREATE ROLE lane_1_1 LOGIN IN ROLE tillano_lane" \
                           -c "CREATE ROLE lane_1_2 LOGIN IN ROLE tillano_lane"
  for t in 1 2; do
    build/bin/tillano-setup --settings "$demo_dir/lane-$t.ini" --demo \
      --server "host=$socket dbname=tillano user=lane_1_$t" --store 1 --terminal "$t" "$demo_dir/lane-$t"
  done
  echo "Store server and two lanes ready: manager code 1, cashier 2, training cashier 9."
  echo "Lane receipts print to $demo_dir/lane-1/receipt-printer.txt and $demo_dir/lane-2/receipt-printer.txt"
fi

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "demo-store.sh: Tillano is a graphical program; run it from a desktop session." >&2
  exit 1
fi

# Both tills, each from its own directory (tips, help, export journal);
# the server stops once both are closed.
pids=()
for t in 1 2; do
  cp -r data/Tips.txt data/trucs.txt data/doc "$demo_dir/lane-$t"/
  (cd "$demo_dir/lane-$t" && exec "$top/build/bin/tillano" --settings "$demo_dir/lane-$t.ini") &
  pids+=($!)
done
echo "Store server status: $top/build/bin/tillano-server status \"host=$socket dbname=tillano user=tillano\""
wait "${pids[@]}" || true
