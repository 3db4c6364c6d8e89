# about: remove the installed program (--prefix DIR); keeps the user's data unless --purge

# The data Raidledger writes into its program folder: settings, deployment settings, backups,
# updates under way, package versions, upload marks.
UNINSTALL_USER_DATA=(config.cfg deployment.ini localver.xml uploads.json Backup temp Temp)

# uninstall_from <prefix> [purge]: removes the automatic start that starts this install, every
# file the install put in place and then the folders it made that are left empty; with "purge"
# the user's data in the program folder goes first. Whatever else is in the program folder
# stays and is named. A folder that keeps the user's data keeps the record that it is
# Raidledger's.
uninstall_from() {
    local prefix="$1" purge="${2:-}"
    prefix="$(absolute_path "$prefix")"
    if ! is_raidledger_install "$prefix"; then
        echo "uninstall: no installed Raidledger in $prefix (no $INSTALL_FILES)" >&2
        return 1
    fi
    local bin="$prefix/bin" removed=""
    [ -x "$bin/Raidledger" ] && removed="$("$bin/Raidledger" --remove-autostart 2>/dev/null)"
    [ -n "$removed" ] && echo "Removed the automatic start of this install: $removed"

    local -a folders=()
    local path
    if [ -f "$prefix/$INSTALL_FOLDERS" ]; then
        while IFS= read -r -d '' path; do folders+=("$path"); done <"$prefix/$INSTALL_FOLDERS"
    fi
    while IFS= read -r -d '' path; do
        rm -f -- "$path"
        # An earlier install recorded no folders: those of its files below the program folder
        # are the install's own.
        [ -f "$prefix/$INSTALL_FOLDERS" ] || uninstall_folders_below "$prefix" "$path" folders
    done < <(recorded_files "$prefix")

    local name
    local -a kept=()
    for name in "${UNINSTALL_USER_DATA[@]}"; do
        [ -e "$bin/$name" ] || continue
        if [ "$purge" = purge ]; then
            rm -rf -- "${bin:?}/$name"
        else
            kept+=("$bin/$name")
        fi
    done
    # A folder that keeps the user's data stays Raidledger's: the next install may use it, and
    # uninstalling again with --purge removes the data and the folders.
    rm -f -- "$prefix/$INSTALL_OLD_MANIFEST"
    if [ ${#kept[@]} -gt 0 ]; then
        : >"$prefix/$INSTALL_FILES"
    else
        rm -f -- "$prefix/$INSTALL_FILES" "$prefix/$INSTALL_FOLDERS"
    fi
    # The deepest folders first; a folder that still holds anything stays.
    while IFS= read -r -d '' path; do
        rmdir -- "$path" 2>/dev/null || true
    done < <(for path in "${folders[@]}"; do
        printf '%s\t%s\0' "$(tr -cd / <<<"$path" | wc -c)" "$path"
    done | sort -z -t $'\t' -k1,1nr | cut -z -f2-)

    if [ ${#kept[@]} -gt 0 ]; then
        echo "Kept the user's data (./run uninstall --purge removes it too):"
        printf '  %s\n' "${kept[@]}"
    fi
    if [ -d "$prefix" ]; then
        local -a others=()
        while IFS= read -r -d '' path; do
            case "$path" in
            "$bin" | "$prefix/$INSTALL_RECORD" | "$prefix/$INSTALL_RECORD/"*) continue ;;
            esac
            uninstall_is_user_data "$bin" "$path" || others+=("$path")
        done < <(find "$prefix" -mindepth 1 -maxdepth 2 -print0)
        if [ ${#others[@]} -gt 0 ]; then
            echo "Left in place, not installed by Raidledger:"
            printf '  %s\n' "${others[@]}"
        fi
    fi
    echo "Raidledger is uninstalled from $prefix."
}

# uninstall_folders_below <prefix> <file> <array name>: adds the folders between the program
# folder and the file to the array.
uninstall_folders_below() {
    local prefix="$1" folder
    local -n into="$3"
    folder="$(dirname -- "$2")"
    while [[ "$folder" == "$prefix"/* ]]; do
        into+=("$folder")
        folder="$(dirname -- "$folder")"
    done
}

# uninstall_is_user_data <bin> <path>: true for the user's data kept in the program folder.
uninstall_is_user_data() {
    local name
    for name in "${UNINSTALL_USER_DATA[@]}"; do
        [ "$2" = "$1/$name" ] && return 0
    done
    return 1
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
