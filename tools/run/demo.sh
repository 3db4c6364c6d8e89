# about: build and show the program with demo data (log in as demo / demo)

# demo_prepare <build folder>: starts the reference DKP site with its demo data on a free
# loopback port, prepares a demo game folder, and points the program in <build folder>/bin at
# both. Sets DEMO_DIR, DEMO_SITE_URL and DEMO_SITE_PID; the site is stopped when the shell exits.
demo_prepare() {
    local build="$1"
    local bin="$build/bin"
    DEMO_DIR="$build/demo"
    rm -rf "$DEMO_DIR"
    mkdir -p "$DEMO_DIR"

    local port
    port="$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
    "$bin/dkpsite" --demo --port "$port" --db "$DEMO_DIR/dkpsite.db" >"$DEMO_DIR/dkpsite.log" 2>&1 &
    DEMO_SITE_PID=$!
    trap 'kill "$DEMO_SITE_PID" 2>/dev/null || true' EXIT
    local tries=0
    until grep -q 'listening' "$DEMO_DIR/dkpsite.log" 2>/dev/null; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ] || ! kill -0 "$DEMO_SITE_PID" 2>/dev/null; then
            echo "demo: the DKP site did not start; see $DEMO_DIR/dkpsite.log" >&2
            return 1
        fi
        sleep 0.1
    done
    DEMO_SITE_URL="http://127.0.0.1:$port"

    # A game installation as the client expects it: the game program, one account with the
    # game's own saved variables and the addon's raid log made from the sample raids.
    local game="$DEMO_DIR/game"
    local account="$game/WTF/Account/DEMO"
    mkdir -p "$account/SavedVariables" "$game/Interface/AddOns"
    printf 'MZ' >"$game/WoW.exe"
    printf 'SHOW_BATTLENET_TOASTS = "1"\n' >"$account/SavedVariables.lua"
    if [ -f "$ROOT/tests/data/TALLYRA.lua" ]; then
        cp "$ROOT/tests/data/TALLYRA.lua" "$account/SavedVariables/TALLYRA.lua"
    else
        printf 'CT_RaidTracker_RaidLog = {\n}\n' >"$account/SavedVariables/TALLYRA.lua"
    fi

    cat >"$bin/deployment.ini" <<INI
# Written by ./run demo: every address points at the local demo site.
site_url = $DEMO_SITE_URL
site_host = 127.0.0.1:$port
old_site_host = dkp.old.example
forum_url = $DEMO_SITE_URL
service_home_url = $DEMO_SITE_URL/
account_url = $DEMO_SITE_URL
item_search_url = $DEMO_SITE_URL
update_url =
INI
    rm -f "$bin/config.cfg"
    "$bin/raidledger_demo" configure --game-folder "$game" --guild-url "$DEMO_SITE_URL/adpt_dkp" \
        --user demo --password demo >/dev/null
}

run_demo() {
    cmd_release
    local build="$ROOT/build-release"
    demo_prepare "$build"
    echo "Demo DKP site: $DEMO_SITE_URL (user demo, password demo)"
    echo "Demo game folder: $DEMO_DIR/game"
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        echo "Starting Raidledger; press 登录 to log in. Close the window to end the demo."
        (cd "$build/bin" && ./Raidledger)
    else
        local screens="$build/screens"
        echo "No display: running the client's windows on a virtual X server (Xvfb)."
        rm -rf "$screens"
        (cd "$build/bin" && QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" \
            ./raidledger_demo screens --out "$screens")
        echo "Screenshot of the main window: $screens/mainframe.png"
        echo "(the login and settings windows are beside it)"
        local list="$DEMO_DIR/game/Interface/AddOns/TALLYRA/MerDKP/dkp_list.lua"
        if [ -f "$list" ]; then
            echo "Guild DKP list the program wrote for the addon: $list"
        else
            echo "demo: the program wrote no guild DKP list (expected $list)" >&2
        fi
    fi
}
