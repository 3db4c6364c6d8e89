# about: start a local DKP site to try: its SQLite file in site-data/, the address printed

# run_site [--port N]: builds dkpsite (release build), makes site-data/dkpsite.db on the first
# start with the demo guilds (log in as demo / demo), and serves it on loopback until Ctrl-C.
run_site() {
    local port=8080
    while [ $# -gt 0 ]; do
        case "$1" in
        --port)
            port="${2:?--port needs a number}"
            shift 2
            ;;
        *)
            echo "site: unknown option $1 (usage: ./run site [--port N])" >&2
            return 2
            ;;
        esac
    done
    cmd_deps
    configure "$ROOT/build-release" -DCMAKE_BUILD_TYPE=Release -DRL_SANITIZE=OFF -DRL_TESTS=OFF
    cmake --build "$ROOT/build-release" --target dkpsite -j "$JOBS"
    local data="$ROOT/site-data"
    mkdir -p "$data"
    local dkpsite="$ROOT/build-release/bin/dkpsite"
    "$dkpsite" init --db "$data/dkpsite.db"
    echo "site: http://127.0.0.1:$port/adpt_dkp (user demo, password demo); data in $data"
    echo "site: add your own with $dkpsite user add NAME --db $data/dkpsite.db (see docs/site.md)"
    exec "$dkpsite" --demo --port "$port" --db "$data/dkpsite.db"
}
