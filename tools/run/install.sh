# about: install the program for this user (--prefix DIR, --deployment FILE) with a menu entry

# The program folder's parent when no --prefix is given.
install_default_prefix() {
    local data="${XDG_DATA_HOME:-}"
    [[ "$data" == /* ]] || data="$HOME/.local/share"
    echo "$data/raidledger"
}

# install_from <build folder> <prefix> [deployment file]: installs what the build folder holds
# into the program folder <prefix> with `cmake --install`, keeps the list of installed files
# there (for the next upgrade and for uninstalling), removes the files an earlier install put
# there that this one no longer has, and points an automatic start the user chose at the
# installed launcher.
install_from() {
    local build="$1" prefix="$2" deployment="${3:-}"
    if [ -n "$deployment" ] && [ ! -f "$deployment" ]; then
        echo "install: deployment file '$deployment' does not exist" >&2
        return 1
    fi
    [ -n "$deployment" ] && deployment="$(cd "$(dirname "$deployment")" && pwd)/$(basename "$deployment")"
    mkdir -p "$prefix"
    prefix="$(cd "$prefix" && pwd)"
    local manifest="$prefix/install_manifest.txt"
    local previous=""
    [ -f "$manifest" ] && previous="$(cat "$manifest")"
    local log="$build/install.log"
    if ! RL_DEPLOYMENT_FILE="$deployment" cmake --install "$build" --prefix "$prefix" >"$log" 2>&1; then
        cat "$log" >&2
        echo "install: cmake --install failed; nothing was removed" >&2
        return 1
    fi
    grep -v -e '^-- Installing' -e '^-- Up-to-date' -e '^-- Install configuration' \
        -e '^-- Set runtime path' "$log" || true
    # cmake ends its list without a line break; ours has one after every file.
    { cat "$build/install_manifest.txt" && echo; } | sed '/^$/d' >"$manifest"
    if [ -n "$previous" ]; then
        local stale
        while IFS= read -r stale; do
            [ -n "$stale" ] && rm -f -- "$stale"
        done < <(comm -23 <(echo "$previous" | sort) <(sort "$manifest"))
    fi
    "$prefix/bin/Raidledger" --renew-autostart
    echo "Raidledger is installed in $prefix/bin (its settings, backups and updates live there too)."
    echo "Menu entry: $(grep '/raidledger.desktop$' "$manifest")"
    if ! grep -q '^site_url *= *[^ ]' "$prefix/bin/deployment.ini"; then
        echo "Fill in your guild's site in $prefix/bin/deployment.ini before you log in."
    fi
}

run_install() {
    local prefix="" deployment=""
    while [ $# -gt 0 ]; do
        case "$1" in
        --prefix) prefix="${2:?--prefix needs a folder}"; shift 2 ;;
        --deployment) deployment="${2:?--deployment needs a file}"; shift 2 ;;
        *) echo "usage: ./run install [--prefix DIR] [--deployment FILE]" >&2; return 2 ;;
        esac
    done
    [ -n "$prefix" ] || prefix="$(install_default_prefix)"
    cmd_release
    install_from "$ROOT/build-release" "$prefix" "$deployment"
}
