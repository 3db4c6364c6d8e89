# about: remove the installed program (--prefix DIR); keeps the user's data unless --purge

# The user's own files in a program folder: settings, backups, updates under way, versions.
UNINSTALL_USER_DATA=(config.cfg deployment.ini localver.xml Backup temp Temp)

# uninstall_from <prefix> [purge]: removes every file the install put there (the list it kept),
# the desktop entry and the icons, and the folders left empty; with "purge" the whole program
# folder goes, the user's data with it.
uninstall_from() {
    local prefix="$1" purge="${2:-}"
    local manifest="$prefix/install_manifest.txt"
    if [ ! -f "$manifest" ]; then
        echo "uninstall: no installed Raidledger in $prefix (no install_manifest.txt)" >&2
        return 1
    fi
    local file
    while IFS= read -r file || [ -n "$file" ]; do
        [ -n "$file" ] && rm -f -- "$file"
    done <"$manifest"
    rm -f -- "$manifest"
    if [ "$purge" = purge ]; then
        rm -rf -- "$prefix"
        echo "Removed $prefix with the user's data in it."
        return 0
    fi
    find "$prefix" -depth -type d -empty -delete
    local kept=() name
    for name in "${UNINSTALL_USER_DATA[@]}"; do
        [ -e "$prefix/bin/$name" ] && kept+=("$prefix/bin/$name")
    done
    if [ ${#kept[@]} -gt 0 ]; then
        echo "Kept the user's data (./run uninstall --purge removes it too):"
        printf '  %s\n' "${kept[@]}"
    fi
    echo "Raidledger is uninstalled from $prefix."
}

run_uninstall() {
    # shellcheck source=/dev/null
    source "$ROOT/tools/run/install.sh"
    local prefix="" purge=""
    while [ $# -gt 0 ]; do
        case "$1" in
        --prefix) prefix="${2:?--prefix needs a folder}"; shift 2 ;;
        --purge) purge=purge; shift ;;
        *) echo "usage: ./run uninstall [--prefix DIR] [--purge]" >&2; return 2 ;;
        esac
    done
    [ -n "$prefix" ] || prefix="$(install_default_prefix)"
    uninstall_from "$prefix" "$purge"
}
