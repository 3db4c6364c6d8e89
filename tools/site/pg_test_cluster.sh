#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the site's tests, reachable only through a unix socket in
# its own folder.
#   pg_test_cluster.sh start DIR   makes the cluster in DIR (emptied first) and starts it
#   pg_test_cluster.sh stop DIR    stops it and removes DIR
#   pg_test_cluster.sh resume DIR  starts the cluster kept in DIR, made first if there is none
#   pg_test_cluster.sh pause DIR   stops it and keeps DIR (the benchmark's filled databases)
# The tests connect with postgresql://postgres@/postgres?host=DIR. PostgreSQL refuses to run as
# root, so under root the cluster belongs to and runs as the user `nobody`.
set -euo pipefail
PG_BIN="${PG_BIN:-/usr/lib/postgresql/15/bin}"
command="${1:-}"
dir="${2:-}"
if [ -z "$command" ] || [ -z "$dir" ]; then
    echo "usage: pg_test_cluster.sh start|stop|resume|pause DIR" >&2
    exit 2
fi

as_owner() {
    if [ "$(id -u)" -eq 0 ]; then
        setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$@"
    else
        "$@"
    fi
}

# stop_cluster [MODE]: immediate unless named; a kept cluster stops with a checkpoint (fast).
stop_cluster() {
    if [ -f "$dir/data/postmaster.pid" ]; then
        as_owner "$PG_BIN/pg_ctl" -D "$dir/data" -m "${1:-immediate}" -w -t 600 stop >/dev/null 2>&1 || true
    fi
}

make_cluster() {
    if [ ! -x "$PG_BIN/initdb" ]; then
        echo "pg_test_cluster: no PostgreSQL 15 in $PG_BIN (./run deps installs postgresql-15)" >&2
        exit 1
    fi
    stop_cluster
    rm -rf "$dir"
    mkdir -p "$dir"
    [ "$(id -u)" -eq 0 ] && chown nobody:nogroup "$dir"
    if ! as_owner "$PG_BIN/initdb" -D "$dir/data" -A trust -U postgres -E UTF8 --locale=C \
        --no-sync >"$dir/initdb.log" 2>&1; then
        cat "$dir/initdb.log" >&2
        exit 1
    fi
}

start_cluster() {
    # No TCP, the socket in DIR, no durability: the cluster lives for one test run (or, kept,
    # for benchmark runs on one machine that is not restarted between them).
    if ! as_owner "$PG_BIN/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
        -o "-k $dir -c listen_addresses='' -c fsync=off -c synchronous_commit=off \
            -c full_page_writes=off -c max_connections=300" start >/dev/null; then
        cat "$dir/server.log" >&2
        exit 1
    fi
    echo "PostgreSQL test cluster running in $dir"
}

case "$command" in
start)
    make_cluster
    start_cluster
    ;;
resume)
    [ -f "$dir/data/PG_VERSION" ] || make_cluster
    stop_cluster fast
    start_cluster
    ;;
stop)
    stop_cluster
    rm -rf "$dir"
    ;;
pause)
    stop_cluster fast
    ;;
*)
    echo "pg_test_cluster: unknown command $command" >&2
    exit 2
    ;;
esac
