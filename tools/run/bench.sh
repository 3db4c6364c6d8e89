# about: benchmark the parser: raidsift raids vs lua5.4 on generated 1-100 MB raid logs; `./run bench site` times the guild site
# Release build; for each size: wall time (best of 5) and peak memory of `raidsift raids FILE`
# and of `lua5.4 -e 'dofile("FILE")'`, their ratio, the time of reading the file (`cat`, `wc -l`); the
# upload wizard's raid list of the 30 MB log through the wizard's own loading function
# (`raidlist`, time from the chosen account to the list's texts); the literal reference parser
# (`raidsift tree --reference`) against the fast one (`raidsift tree`) on the smaller files,
# the pathological inputs that must neither crash nor take 0.5 seconds, one raid of 100000
# distinct joining players (member lookup must stay linear), the peak memory of `raidsift tree`
# on a 5 MB table of `1,` entries (the JSON is written as the tree is walked), the peak memory of
# a 1 MB log behind 50 MB of zeros (at most 3 times the file), one player joining and leaving
# 200000 times (show, lint and export each under 0.5 s); then the update run (`installupdates`)
# over 500 to 4000 packages, whose time per package must stay flat.

# bench_measure <command...>: prints "<best wall seconds> <peak KB> <exit status>" of 5 runs.
# The wall time comes from bash (milliseconds), the peak memory from GNU time.
bench_measure() {
    local best="" peak=0 status=0 run wall rss
    local TIMEFORMAT=%3R
    for run in 1 2 3 4 5; do
        wall=$( { time /usr/bin/time -f "%M" -o "$BENCH_DIR/time.txt" "$@" >/dev/null \
            2>"$BENCH_DIR/stderr.txt"; } 2>&1) || status=$?
        rss=$(tail -1 "$BENCH_DIR/time.txt")
        if [ -z "$best" ] || awk "BEGIN{exit !($wall < $best)}"; then best=$wall; fi
        [ "$rss" -gt "$peak" ] && peak=$rss
    done
    echo "$best $peak $status"
}

bench_generate() {
    local raids="$1" file="$2"
    [ -f "$file" ] || "$BIN/raidgen" --raids "$raids" --members 25 --seed 7 --output "$file"
}

# bench_raid_list <log>: the log as an account's addon data file in a game folder, loaded by
# `raidlist`, which times itself; prints the best of 5 runs.
bench_raid_list() {
    local game="$BENCH_DIR/game" account="BENCH" best="" run took
    mkdir -p "$game/WTF/Account/$account/SavedVariables"
    ln -f "$1" "$game/WTF/Account/$account/SavedVariables/TALLYRA.lua"
    for run in 1 2 3 4 5; do
        read -r raids took < <("$BIN/raidlist" "$game/" "$account" | awk '{ print $1, $4 }')
        if [ -z "$best" ] || awk "BEGIN{exit !($took < $best)}"; then best=$took; fi
    done
    printf 'raids-30mb  %d raids listed in %.3f s\n' "$raids" "$best"
}

bench_pathological() {
    python3 - "$BENCH_DIR" "$BENCH_DIR/raids-15mb.lua" <<'PY'
import sys
folder, sample = sys.argv[1], sys.argv[2]
ten = 10 * 1024 * 1024
def write(name, text):
    with open(f"{folder}/{name}", "w", encoding="utf-8") as out:
        out.write(text)
write("entries-5mb.lua", "T = {\n" + "1,\n" * (5 * 1024 * 1024 // 3) + "}\n")
write("deep-100000.lua", "T = " + "{" * 100000 + '\n["v"] = 1,\n' + "}" * 100000 + "\n")
write("open-10mb.lua", "{" * ten)
write("close-10mb.lua", "}" * ten)
write("comma-10mb.lua", "," * ten)
write("dashes-10mb.lua", "--" * (ten // 2))
with open(sample, encoding="utf-8") as source:
    line = source.read(ten).replace("\n", " ")
write("line-10mb.lua", line)
PY
}

# bench_many_players <file> <players>: one raid in which that many distinct players join and leave.
bench_many_players() {
    python3 - "$1" "$2" <<'PY'
import sys
file, players = sys.argv[1], int(sys.argv[2])
def events(time):
    return "".join(f'\t\t\t{{\n\t\t\t\t["player"] = "Player{i}",\n\t\t\t\t["time"] = "{time}",\n'
                   f'\t\t\t}}, -- [{i + 1}]\n' for i in range(players))
with open(file, "w", encoding="utf-8") as out:
    out.write('CT_RaidTracker_RaidLog = {\n\t{\n\t\t["key"] = "01/25/08 20:00:00",\n'
              '\t\t["Join"] = {\n' + events("01/25/08 20:00:00") + '\t\t},\n'
              '\t\t["Leave"] = {\n' + events("01/25/08 23:00:00") + '\t\t},\n\t}, -- [1]\n}\n')
PY
}

# bench_one_player_stays <file> <pairs>: one raid in which one player joins and leaves that many
# times, a second apart.
bench_one_player_stays() {
    python3 - "$1" "$2" <<'PY'
import datetime, sys
file, pairs = sys.argv[1], int(sys.argv[2])
start = datetime.datetime(2008, 1, 25, 20, 0, 0)
def events(offset):
    return "".join(f'\t\t\t{{\n\t\t\t\t["player"] = "Alpha",\n\t\t\t\t["time"] = '
                   f'"{(start + datetime.timedelta(seconds=2 * i + offset)):%m/%d/%y %H:%M:%S}",\n'
                   f'\t\t\t}}, -- [{i + 1}]\n' for i in range(pairs))
with open(file, "w", encoding="utf-8") as out:
    out.write('CT_RaidTracker_RaidLog = {\n\t{\n\t\t["key"] = "01/25/08 20:00:00",\n'
              '\t\t["Join"] = {\n' + events(0) + '\t\t},\n'
              '\t\t["Leave"] = {\n' + events(1) + '\t\t},\n\t}, -- [1]\n}\n')
PY
}

# bench_damaged_front: the 1 MB log behind 50 MB of zeros, as a crash leaves a saved-variables
# file; its peak memory must stay within 3 times the file, and it must list the log's raids.
bench_damaged_front() {
    local file="$BENCH_DIR/zeros-50mb-log-1mb.lua"
    head -c $((50 * 1024 * 1024)) /dev/zero >"$file"
    printf '\n' >>"$file"
    cat "$BENCH_DIR/raids-1mb.lua" >>"$file"
    read -r z_wall z_kb z_status < <(bench_measure "$BIN/raidsift" raids "$file")
    local same="the log's raids"
    cmp -s <("$BIN/raidsift" raids "$file") <("$BIN/raidsift" raids "$BENCH_DIR/raids-1mb.lua") ||
        same="NOT the log's raids"
    awk -v w="$z_wall" -v k="$z_kb" -v b="$(stat -c %s "$file")" -v s="$z_status" -v same="$same" \
        'BEGIN { r = k * 1024 / b; printf "zeros-50mb+log-1mb %7.3f s %8.1f MB  %.2fx the file (%s)  %s  exit %s\n",
            w, k / 1024, r, r <= 3 ? "within 3x" : "OVER 3x", same, s }'
    rm -f "$file"
}

# bench_update_folder <folder> <packages>: a program folder whose temp/ holds a complete download
# of that many one-file cabinets of kind 1.
bench_update_folder() {
    local folder="$1" count="$2"
    rm -rf "$folder"
    mkdir -p "$folder/temp" "$BENCH_DIR/cabinet"
    printf 'package data\n' >"$BENCH_DIR/cabinet/data.txt"
    (cd "$BENCH_DIR/cabinet" && gcab -c -n "$BENCH_DIR/one.cab" data.txt)
    python3 - "$folder" "$count" "$BENCH_DIR/one.cab" <<'PY'
import shutil, sys
folder, count, cabinet = sys.argv[1], int(sys.argv[2]), sys.argv[3]
lines = []
for i in range(count):
    shutil.copyfile(cabinet, f"{folder}/temp/pack{i:05d}.cab")
    lines.append(f'\t<pack name="pack{i:05d}" ver="1" md5="" url="" type ="1"/>\n')
with open(f"{folder}/temp/dlstate.xml", "w") as out:
    out.write('<?xml version="1.0" encoding="gb2312"?><version>\n' + "".join(lines)
              + '\t<state flag="ok"/>\n</version>\n')
PY
}

bench_updates() {
    echo
    echo "update run (installupdates; one-file cabinets; best of 3; time per package must stay flat):"
    local count run wall best folder="$BENCH_DIR/updates" status
    local TIMEFORMAT=%3R
    for count in 500 1000 2000 4000; do
        best=""
        status=0
        for run in 1 2 3; do
            bench_update_folder "$folder" "$count"
            wall=$( { time "$BIN/installupdates" "$folder" >/dev/null 2>&1; } 2>&1) || status=$?
            if [ -z "$best" ] || awk "BEGIN{exit !($wall < $best)}"; then best=$wall; fi
        done
        awk -v n="$count" -v w="$best" -v s="$status" 'BEGIN {
            printf "%5d packages %8.3f s  %6.3f ms per package  exit %s\n", n, w, w * 1000 / n, s }'
    done
    rm -rf "$folder"
}

# earlier_dkpsite COMMIT: the dkpsite of an earlier commit of this repository, built (release)
# from that commit's tree in build-release/earlier-COMMIT/ unless it is there already; prints
# the program's path.
earlier_dkpsite() {
    local commit
    commit="$(git -C "$ROOT" rev-parse --verify --short "$1^{commit}")" || return 2
    local tree="$ROOT/build-release/earlier-$commit"
    if [ ! -x "$tree/build/bin/dkpsite" ]; then
        rm -rf "$tree"
        mkdir -p "$tree/source"
        git -C "$ROOT" archive "$commit" | tar -x -C "$tree/source"
        cmake -S "$tree/source" -B "$tree/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DRL_SANITIZE=OFF -DRL_TESTS=OFF >/dev/null
        cmake --build "$tree/build" -j "$JOBS" --target dkpsite >&2
    fi
    echo "$tree/build/bin/dkpsite"
}

# bench_site [--guilds N] [--raids N] [--sqlite-only] [--earlier COMMIT]: the guild site on a
# hosted-scale database (tools/site/bench_site.py), on SQLite and on a PostgreSQL cluster kept
# beside the SQLite file (stopped between runs; remove the folder to make it anew); with --earlier, the dkpsite of that commit on the same guilds beside it.
bench_site() {
    cmd_deps
    configure "$ROOT/build-release" -DCMAKE_BUILD_TYPE=Release -DRL_SANITIZE=OFF -DRL_TESTS=OFF
    cmake --build "$ROOT/build-release" -j "$JOBS" --target dkpsite
    local folder="$ROOT/build-release/bench/site" postgresql=1
    local -a options=()
    while [ $# -gt 0 ]; do
        case "$1" in
        --guilds | --raids)
            options+=("$1" "${2:?$1 needs a number}")
            shift 2
            ;;
        --sqlite-only)
            postgresql=0
            shift
            ;;
        --earlier)
            options+=(--earlier-dkpsite "$(earlier_dkpsite "${2:?--earlier needs a commit}")") ||
                return 2
            shift 2
            ;;
        *)
            echo "bench site: unknown option $1 (usage: ./run bench site [--guilds N] [--raids N] [--sqlite-only] [--earlier COMMIT])" >&2
            return 2
            ;;
        esac
    done
    mkdir -p "$folder"
    local cluster="$folder/postgresql" status=0
    if [ "$postgresql" = 1 ]; then
        bash "$ROOT/tools/site/pg_test_cluster.sh" resume "$cluster"
        options+=(--postgresql "postgresql://postgres@/postgres?host=$cluster")
    fi
    python3 "$ROOT/tools/site/bench_site.py" --dkpsite "$ROOT/build-release/bin/dkpsite" \
        --folder "$folder" "${options[@]}" || status=$?
    [ "$postgresql" = 1 ] && bash "$ROOT/tools/site/pg_test_cluster.sh" pause "$cluster"
    return "$status"
}

run_bench() {
    if [ "${1:-}" = site ]; then
        shift
        bench_site "$@"
        return
    fi
    cmd_deps
    configure "$ROOT/build-release" -DCMAKE_BUILD_TYPE=Release -DRL_SANITIZE=OFF -DRL_TESTS=OFF
    cmake --build "$ROOT/build-release" -j "$JOBS" --target raidsift raidlist installupdates
    BIN="$ROOT/build-release/bin"
    BENCH_DIR="$ROOT/build-release/bench"
    mkdir -p "$BENCH_DIR"
    local sizes=("1mb 40" "5mb 200" "15mb 600" "30mb 1200" "100mb 4100")
    local entry name raids file bytes
    local -A wall
    printf '%-6s %9s | %-22s | %-22s | %s\n' size "file MB" "raidsift raids s / MB" "lua5.4 dofile s / MB" \
        "time ratio, raidsift memory / file"
    for entry in "${sizes[@]}"; do
        read -r name raids <<<"$entry"
        file="$BENCH_DIR/raids-$name.lua"
        bench_generate "$raids" "$file"
        bytes=$(stat -c %s "$file")
        read -r rs_wall rs_kb rs_status < <(bench_measure "$BIN/raidsift" raids "$file")
        read -r lua_wall lua_kb lua_status < <(bench_measure lua5.4 -e "dofile(\"$file\")")
        wall[$name]=$rs_wall
        awk -v n="$name" -v b="$bytes" -v rw="$rs_wall" -v rk="$rs_kb" -v lw="$lua_wall" \
            -v lk="$lua_kb" -v rs="$rs_status" -v ls="$lua_status" 'BEGIN {
            printf "%-6s %9.1f | %8.3f s %8.1f MB | %8.3f s %8.1f MB | %.2f, %.2fx%s\n",
                n, b / 1048576, rw, rk / 1024, lw, lk / 1024, rw / lw, rk * 1024 / b,
                (rs != 0 || ls != 0) ? "  (a command failed)" : "" }'
    done
    awk -v a="${wall[15mb]}" -v b="${wall[30mb]}" \
        'BEGIN { printf "30 MB / 15 MB time: %.2f\n", b / a }'
    # The floor: reading the file once, as fast as the system can (wc -l counts its lines).
    for name in 15mb 100mb; do
        read -r cat_wall _ _ < <(bench_measure cat "$BENCH_DIR/raids-$name.lua")
        read -r wc_wall _ _ < <(bench_measure wc -l "$BENCH_DIR/raids-$name.lua")
        printf 'reading the %s log: cat %.3f s, wc -l %.3f s (raidsift raids %.3f s)\n' \
            "${name%mb} MB" "$cat_wall" "$wc_wall" "${wall[$name]}"
    done

    echo
    echo "upload wizard's raid list of the 30 MB log (gamefiles::loadRaids and the list's texts; best of 5):"
    bench_raid_list "$BENCH_DIR/raids-30mb.lua"

    echo
    echo "fast parser vs literal reference (raidsift tree, JSON output included):"
    for name in 1mb 5mb; do
        file="$BENCH_DIR/raids-$name.lua"
        read -r fast_wall _ _ < <(bench_measure "$BIN/raidsift" tree "$file")
        read -r ref_wall _ _ < <(bench_measure "$BIN/raidsift" tree --reference "$file")
        printf '%-6s tree %7.3f s   tree --reference %7.3f s\n' "$name" "$fast_wall" "$ref_wall"
    done

    echo
    echo "pathological inputs (raidsift raids; must not crash; under 0.5 s; peak memory against the file;"
    : >"$BENCH_DIR/empty.lua"
    echo "an empty file peaks at $(bench_measure "$BIN/raidsift" raids "$BENCH_DIR/empty.lua" | awk '{ printf "%.1f MB", $2 / 1024 }')):"
    bench_pathological
    for file in deep-100000 open-10mb close-10mb comma-10mb dashes-10mb line-10mb; do
        read -r p_wall p_kb p_status < <(bench_measure "$BIN/raidsift" raids "$BENCH_DIR/$file.lua")
        awk -v n="$file" -v w="$p_wall" -v k="$p_kb" -v b="$(stat -c %s "$BENCH_DIR/$file.lua")" \
            -v s="$p_status" 'BEGIN { printf "%-12s %7.3f s %8.1f MB  %5.1fx the file  exit %s\n",
                n, w, k / 1024, k * 1024 / b, s }'
    done

    echo
    echo "tree of a 5 MB table of \`1,\` entries (raidsift tree; peak memory against the file):"
    read -r t_wall t_kb t_status < <(bench_measure "$BIN/raidsift" tree "$BENCH_DIR/entries-5mb.lua")
    awk -v w="$t_wall" -v k="$t_kb" -v b="$(stat -c %s "$BENCH_DIR/entries-5mb.lua")" -v s="$t_status" \
        'BEGIN { printf "entries-5mb  %7.3f s %8.1f MB  %.1fx the file  exit %s\n", w, k / 1024, k * 1024 / b, s }'

    echo
    echo "one raid of 100000 distinct joining players (raidsift raids; linear member lookup):"
    bench_many_players "$BENCH_DIR/players-100000.lua" 100000
    read -r p_wall p_kb p_status < <(bench_measure "$BIN/raidsift" raids "$BENCH_DIR/players-100000.lua")
    printf '%-12s %7.3f s %8.1f MB  exit %s\n' players-100000 "$p_wall" "$(awk -v k="$p_kb" 'BEGIN{print k/1024}')" "$p_status"

    echo
    echo "a log damaged in front (raidsift raids; peak memory at most 3 times the file, same raids as the log alone):"
    bench_damaged_front

    echo
    echo "one player joining and leaving 200000 times (raidsift show, lint and export csv-attendance; under 0.5 s each):"
    bench_one_player_stays "$BENCH_DIR/stays-200000.lua" 200000
    local name
    local -a command
    for name in show lint export; do
        command=("$name" "$BENCH_DIR/stays-200000.lua" 1)
        [ "$name" = export ] && command+=(--format csv-attendance)
        read -r s_wall _ s_status < <(bench_measure "$BIN/raidsift" "${command[@]}")
        awk -v n="${command[*]##*/}" -v w="$s_wall" -v s="$s_status" 'BEGIN {
            printf "%-44s %7.3f s (%s)  exit %s\n", n, w, w < 0.5 ? "under 0.5 s" : "OVER 0.5 s", s }'
    done
    rm -f "$BENCH_DIR/stays-200000.lua"

    bench_updates
}
