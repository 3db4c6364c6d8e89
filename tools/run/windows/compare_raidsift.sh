#!/usr/bin/env bash
# Runs raidsift of the Linux build and raidsift.exe of the Windows build (under Wine) on the same
# inputs and requires the same standard output, byte for byte, and the same exit status.
# usage: compare_raidsift.sh <linux raidsift> <windows build folder>
# Inputs: the sample log, two generated logs, the sample under a Chinese folder and file name,
# and the sample on standard input, in UTC and in Asia/Shanghai; and a generated log whose raids
# lie on both sides of the start of summer time, in America/New_York. Both programs take the
# zone from TZ: the Linux one through the C library, the Windows one through the time-zone API,
# whose zone Wine takes from TZ.
set -euo pipefail
linux="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
build="$(cd "$2" && pwd)"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
wine_exec="$root/tools/run/windows/wine_exec.sh"
work="$build/compare"
rm -rf "$work"
mkdir -p "$work/out" "$work/账号 一"
# The logs are generated in UTC.
export TZ=UTC

cp "$root/tests/data/TALLYRA.lua" "$work/账号 一/团队记录.lua"
python3 "$root/tools/raidgen/raidgen.py" --raids 30 --members 25 --seed 3 --output "$work/generated-30.lua"
python3 "$root/tools/raidgen/raidgen.py" --raids 4 --members 60 --seed 11 --output "$work/generated-4.lua"
TZ=America/New_York python3 "$root/tools/raidgen/raidgen.py" --raids 60 --members 10 --seed 5 \
    --output "$work/generated-summer.lua"

compared=0
failed=0
stdin_file=/dev/null

# run_windows <name> <raidsift arguments...>: raidsift.exe under Wine, its output kept in out/.
run_windows() {
    local name="$1"
    shift
    "$wine_exec" "$build" "$build/bin/raidsift.exe" "$@" <"$stdin_file" \
        >"$work/out/$name.windows" 2>"$work/out/$name.windows.err"
}

# compare <name> <raidsift arguments...>: one run of each program on the same standard input
# ($stdin_file), its output kept in out/.
compare() {
    local name="$1" linux_status=0 windows_status=0
    shift
    "$linux" "$@" <"$stdin_file" >"$work/out/$name.linux" 2>"$work/out/$name.linux.err" ||
        linux_status=$?
    run_windows "$name" "$@" || windows_status=$?
    # raidsift explains every failure on standard error; a failure in silence is Wine's (it lost
    # the process while starting or ending it, seldom and only on a busy machine): run it again.
    if [ "$windows_status" != 0 ] && [ "$linux_status" = 0 ] && [ ! -s "$work/out/$name.windows.err" ]; then
        echo "raidsift.exe $* ended with status $windows_status and no message under Wine; running it again"
        windows_status=0
        run_windows "$name" "$@" || windows_status=$?
    fi
    compared=$((compared + 1))
    if [ "$linux_status" != "$windows_status" ]; then
        echo "DIFFERS raidsift $*: exit status $linux_status on Linux, $windows_status on Windows"
        sed 's/^/  windows: /' "$work/out/$name.windows.err" | head -5
        failed=$((failed + 1))
    elif ! cmp -s "$work/out/$name.linux" "$work/out/$name.windows"; then
        echo "DIFFERS raidsift $*: output (first differing lines below; both in $work/out/$name.*)"
        diff "$work/out/$name.linux" "$work/out/$name.windows" | head -8 || true
        failed=$((failed + 1))
    fi
}

# every_command <label> <file>: the raid list, the review, the tree, and each raid's summary and
# exports (at most the first three raids).
every_command() {
    local label="$1" file="$2" raids n format
    compare "$label-raids" raids "$file"
    compare "$label-raids-json" raids --json "$file"
    compare "$label-lint" lint "$file"
    compare "$label-tree" tree "$file"
    raids=$(wc -l <"$work/out/$label-raids.linux")
    for n in $(seq 1 $((raids < 3 ? raids : 3))); do
        compare "$label-show-$n" show "$file" "$n"
        for format in upload eqdkp-xml csv-attendance csv-loot json; do
            compare "$label-export-$n-$format" export "$file" "$n" --format "$format"
        done
    done
    for format in eqdkp-xml csv-attendance csv-loot; do
        compare "$label-export-all-$format" export "$file" all --format "$format"
    done
}

cd "$work"
for zone in UTC Asia/Shanghai; do
    export TZ="$zone"
    prefix="${zone//\//-}"
    stdin_file=/dev/null
    every_command "$prefix-sample" "$root/tests/data/TALLYRA.lua"
    every_command "$prefix-chinese-name" "账号 一/团队记录.lua"
    every_command "$prefix-generated-30" generated-30.lua
    every_command "$prefix-generated-4" generated-4.lua
    compare "$prefix-sample-reference-tree" tree --reference "$root/tests/data/TALLYRA.lua"
    compare "$prefix-missing-file" raids "没有这个文件.lua"
    stdin_file="$root/tests/data/TALLYRA.lua"
    compare "$prefix-standard-input" raids -
done
stdin_file=/dev/null
export TZ=America/New_York
every_command New_York-generated-summer generated-summer.lua

echo "raidsift on Linux and Windows: $compared runs compared, $failed differ"
[ "$failed" -eq 0 ]
