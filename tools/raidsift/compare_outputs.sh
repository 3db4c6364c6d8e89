#!/usr/bin/env bash
# compare_outputs.sh OLD NEW FILE_OR_FOLDER...: runs two raidsift programs on every file given
# (a folder stands for the files in it) and reports each command whose output, error output or
# exit status differs: raids, raids --json, tree, show, lint, and export in every format, for
# the first two raids, the last one and all. Exits 1 when anything differs. Used to show that a
# change of the parser changes nothing a user sees, against a build of the previous version.
set -uo pipefail

if [ $# -lt 3 ]; then
    echo "usage: compare_outputs.sh OLD_RAIDSIFT NEW_RAIDSIFT FILE_OR_FOLDER..." >&2
    exit 2
fi
old="$1"
new="$2"
shift 2
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# The digest of one run's output, error output (with the program's path taken out) and exit
# status.
digest() {
    local program="$1"
    shift
    "$program" "$@" >"$scratch/out" 2>"$scratch/err"
    local status=$?
    sed -i "s|$program|raidsift|g" "$scratch/err"
    { md5sum <"$scratch/out"; md5sum <"$scratch/err"; echo "$status"; } | md5sum
}

files=0
commands=0
differences=0
compare() {
    commands=$((commands + 1))
    if [ "$(digest "$old" "$@")" != "$(digest "$new" "$@")" ]; then
        differences=$((differences + 1))
        echo "differs: raidsift $*"
    fi
}

compare_file() {
    local file="$1" count raid format
    files=$((files + 1))
    compare raids "$file"
    compare raids --json "$file"
    compare tree "$file"
    compare lint "$file"
    count=$("$old" raids "$file" 2>/dev/null | wc -l)
    for format in eqdkp-xml csv-attendance csv-loot; do
        compare export "$file" all --format "$format"
    done
    for raid in $( (seq 1 "$((count < 2 ? count : 2))"; echo "$count") | sort -un); do
        [ "$raid" -ge 1 ] || continue
        compare show "$file" "$raid"
        for format in upload eqdkp-xml csv-attendance csv-loot json; do
            compare export "$file" "$raid" --format "$format"
        done
    done
    # One raid past the last: the same refusal.
    compare show "$file" "$((count + 1))"
}

for argument in "$@"; do
    if [ -d "$argument" ]; then
        while IFS= read -r -d '' file; do
            compare_file "$file"
        done < <(find "$argument" -type f -print0 | sort -z)
    else
        compare_file "$argument"
    fi
done
echo "$files files, $commands commands, $differences differ"
[ "$differences" -eq 0 ]
