# about: install the program for this user (--prefix DIR, --deployment FILE) with a menu entry

# What an install records in the program folder about itself: the files it put in place and the
# folders it made, each path ended by a NUL byte so that any folder name survives. Uninstalling
# removes exactly these.
INSTALL_RECORD=".raidledger-install"
INSTALL_FILES="$INSTALL_RECORD/files"
INSTALL_FOLDERS="$INSTALL_RECORD/folders"
# The list of files of earlier installs, one path a line; replaced by the record at an upgrade.
INSTALL_OLD_MANIFEST="install_manifest.txt"

# The program folder's parent when no --prefix is given.
install_default_prefix() {
    echo "$(install_data_folder)/raidledger"
}

# The user's data folder, where the desktop entry and icons go (as tools/install sees it).
install_data_folder() {
    local data="${XDG_DATA_HOME:-}"
    [[ "$data" == /* ]] || data="$HOME/.local/share"
    echo "$data"
}

# is_raidledger_install <folder>
is_raidledger_install() {
    [ -f "$1/$INSTALL_FILES" ] || [ -f "$1/$INSTALL_OLD_MANIFEST" ]
}

# absolute_path <path>: the path made absolute without resolving anything, trailing line
# breaks of a folder name kept.
absolute_path() {
    local path="$1"
    [[ "$path" == /* ]] || path="$PWD/$path"
    printf '%s' "$path"
}

# recorded_files <prefix>: the files the install in <prefix> recorded, each ended by NUL.
recorded_files() {
    if [ -f "$1/$INSTALL_FILES" ]; then
        cat "$1/$INSTALL_FILES"
    elif [ -f "$1/$INSTALL_OLD_MANIFEST" ]; then
        sed '/^$/d' "$1/$INSTALL_OLD_MANIFEST" | tr '\n' '\0'
    fi
}

# missing_folders <root> <relative file>...: the folders from <root> down to each file that do
# not exist yet, <root> included, each ended by NUL.
missing_folders() {
    local root="$1" file folder
    shift
    [ -d "$root" ] || printf '%s\0' "$root"
    for file in "$@"; do
        folder="$(dirname -- "$file")"
        while [ "$folder" != . ]; do
            [ -d "$root/$folder" ] || printf '%s\0' "$root/$folder"
            folder="$(dirname -- "$folder")"
        done
    done
}

# first_missing_ancestors <folder>: the folders above <folder> that do not exist, each ended by
# NUL (made along with it).
first_missing_ancestors() {
    local folder
    folder="$(dirname -- "$1")"
    while [ "$folder" != / ] && [ ! -e "$folder" ]; do
        printf '%s\0' "$folder"
        folder="$(dirname -- "$folder")"
    done
}

# install_from <build folder> <prefix> [deployment file]: installs what the build folder holds
# into the program folder <prefix> with `cmake --install`. The program folder is its own: an
# existing folder that holds anything but an earlier install is refused. It records the files
# installed and the folders it made there (for the next upgrade and for uninstalling), removes
# the files an earlier install put there that this one no longer has, and points an automatic
# start the user chose at the installed launcher.
install_from() {
    local build="$1" prefix="$2" deployment="${3:-}"
    if [ -n "$deployment" ] && [ ! -f "$deployment" ]; then
        echo "install: deployment file '$deployment' does not exist" >&2
        return 1
    fi
    [ -n "$deployment" ] && deployment="$(cd "$(dirname "$deployment")" && pwd)/$(basename "$deployment")"
    prefix="$(absolute_path "$prefix")"
    if [ -e "$prefix" ] && [ ! -d "$prefix" ]; then
        echo "install: '$prefix' exists and is not a folder; nothing was installed" >&2
        return 1
    fi
    if [ -d "$prefix" ] && [ -n "$(ls -A -- "$prefix")" ] && ! is_raidledger_install "$prefix"; then
        echo "install: '$prefix' already holds files and is no Raidledger install; nothing was installed." >&2
        echo "Raidledger needs a folder of its own, for example: --prefix '$prefix/raidledger'" >&2
        return 1
    fi
    local data
    data="$(install_data_folder)"

    # What the build installs, learnt from an install into a folder of plain names, so that the
    # real folder's name (blanks, `;`, line breaks, quotes) is never part of a list.
    local stage log="$build/install.log"
    stage="$(mktemp -d)"
    if ! XDG_DATA_HOME="$stage/data" RL_DEPLOYMENT_FILE="" \
        cmake --install "$build" --prefix "$stage/program" >"$log" 2>&1; then
        cat "$log" >&2
        rm -rf -- "$stage"
        echo "install: cmake --install failed; nothing was installed" >&2
        return 1
    fi
    local -a program_files=() data_files=()
    local line
    while IFS= read -r line; do
        case "$line" in
        "$stage/program/"*) program_files+=("${line#"$stage/program/"}") ;;
        "$stage/data/"*) data_files+=("${line#"$stage/data/"}") ;;
        esac
    done < <(cat "$build/install_manifest.txt" && echo)
    rm -rf -- "$stage"

    local record="$prefix/$INSTALL_RECORD" made
    made="$( {
        first_missing_ancestors "$prefix"
        missing_folders "$prefix" "${program_files[@]}" "$INSTALL_RECORD/files"
        missing_folders "$data" "${data_files[@]}"
        if [ -f "$prefix/$INSTALL_FOLDERS" ]; then cat "$prefix/$INSTALL_FOLDERS"; fi
    } | tr '\0' '\1')"
    local previous
    previous="$(recorded_files "$prefix" | tr '\0' '\1')"

    # cmake takes a `;` in a path for a list separator: it installs through links of plain
    # names, and the menu entry names the program folder itself.
    mkdir -p -- "$prefix" "$data"
    local links
    links="$(mktemp -d)"
    ln -s -- "$prefix" "$links/program"
    ln -s -- "$data" "$links/data"
    if ! XDG_DATA_HOME="$links/data" RL_PROGRAM_FOLDER="$prefix" RL_DEPLOYMENT_FILE="$deployment" \
        cmake --install "$build" --prefix "$links/program" >"$log" 2>&1; then
        cat "$log" >&2
        rm -rf -- "$links"
        echo "install: cmake --install failed; nothing was removed" >&2
        return 1
    fi
    rm -rf -- "$links"
    grep -v -e '^-- Installing' -e '^-- Up-to-date' -e '^-- Install configuration' \
        -e '^-- Set runtime path' "$log" || true

    mkdir -p -- "$record"
    local file
    {
        for file in "${program_files[@]}"; do printf '%s\0' "$prefix/$file"; done
        for file in "${data_files[@]}"; do printf '%s\0' "$data/$file"; done
    } >"$record/files.new"
    printf '%s' "$made" | tr '\1' '\0' | sort -zu >"$record/folders.new"
    mv -f -- "$record/files.new" "$prefix/$INSTALL_FILES"
    mv -f -- "$record/folders.new" "$prefix/$INSTALL_FOLDERS"
    rm -f -- "$prefix/$INSTALL_OLD_MANIFEST"
    if [ -n "$previous" ]; then
        local stale
        while IFS= read -r -d '' stale; do
            rm -f -- "$stale"
        done < <(comm -z -23 <(printf '%s' "$previous" | tr '\1' '\0' | sort -zu) \
            <(sort -zu "$prefix/$INSTALL_FILES"))
    fi
    "$prefix/bin/Raidledger" --renew-autostart
    echo "Raidledger is installed in $prefix/bin (its settings, backups and updates live there too)."
    echo "Menu entry: $data/applications/raidledger.desktop"
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
