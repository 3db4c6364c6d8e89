#!/usr/bin/env bash
# Installs this build into a temporary program folder and desktop data folder, runs the
# installed programs without the build folder, upgrades over the user's data, and uninstalls.
set -euo pipefail
export ROOT="$1"
BUILD="$2"
# shellcheck source=/dev/null
source "$ROOT/tools/run/install.sh"
# shellcheck source=/dev/null
source "$ROOT/tools/run/uninstall.sh"

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
export HOME="$WORK/home" XDG_DATA_HOME="$WORK/data" XDG_CONFIG_HOME="$WORK/config"
PREFIX="$WORK/programs/Raid ledger"
mkdir -p "$HOME"
failures=0
check() { # check <what> <command...>
    local what="$1"
    shift
    if "$@" >/dev/null 2>&1; then
        echo "ok: $what"
    else
        echo "FAILED: $what"
        failures=$((failures + 1))
    fi
}

# An automatic start the user chose for an earlier program folder.
mkdir -p "$XDG_CONFIG_HOME/autostart"
printf '[Desktop Entry]\nType=Application\nName=TALLYRA\nExec=/old/place/Ledgerboot\n' \
    >"$XDG_CONFIG_HOME/autostart/TALLYRA.desktop"

install_from "$BUILD" "$PREFIX"
bin="$PREFIX/bin"
for file in Raidledger Ledgerboot raidsift deployment.ini Addonkit/TALLYRA/TALLYRA.toc \
    skin/raidledger.qss; do
    check "installed $file" test -e "$bin/$file"
done
check "libraries beside bin" test -e "$PREFIX/lib/libRaidsift.so" -a -e "$PREFIX/lib/libwirekit.so"
entry="$XDG_DATA_HOME/applications/raidledger.desktop"
check "the desktop entry is valid" desktop-file-validate "$entry"
check "the desktop entry starts the installed launcher" grep -qF "Exec=\"$bin/Ledgerboot\"" "$entry"
for size in 48 128 256; do
    icon="$XDG_DATA_HOME/icons/hicolor/${size}x${size}/apps/raidledger.png"
    check "icon of $size pixels" python3 -c '
import struct, sys
data = open(sys.argv[1], "rb").read(24)
assert data[:8] == b"\x89PNG\r\n\x1a\n"
assert struct.unpack(">II", data[16:24]) == (int(sys.argv[2]),) * 2' "$icon" "$size"
done
check "the chosen automatic start now starts the installed launcher" \
    grep -qF "$bin/Ledgerboot" "$XDG_CONFIG_HOME/autostart/TALLYRA.desktop"
check "no run path into the build folder" bash -c "! readelf -d '$bin/raidsift' | grep -qF '$BUILD'"

# The installed programs, with the build folder out of sight where the system allows it.
hide_build() {
    if unshare -m --propagation private true 2>/dev/null; then
        unshare -m --propagation private bash -c 'mount -t tmpfs none "$0" && exec "$@"' \
            "$BUILD" "$@"
    else
        "$@"
    fi
}
raids="$(hide_build env -u LD_LIBRARY_PATH "$bin/raidsift" raids "$ROOT/tests/data/TALLYRA.lua")" || true
check "installed raidsift reads the sample log" grep -q '黑暗神殿' <<<"$raids"
set +e
updates="$(cd "$WORK" && hide_build env -u LD_LIBRARY_PATH "$bin/Raidledger" --install-updates 2>&1)"
status=$?
set -e
check "installed Raidledger --install-updates runs and says there is no download (exit 2)" \
    test "$status" -eq 2 -a "${updates#No complete download to install}" != "$updates"

# The user's data, then an upgrade over it.
printf 'settings' >"$bin/config.cfg"
mkdir -p "$bin/Backup/DEMO"
printf 'backup' >"$bin/Backup/DEMO/TALLYRA_20260101_200000.lua"
printf 'site_url = http://guild.example\n' >"$bin/deployment.ini"
printf '<versions/>' >"$bin/localver.xml"
echo "stale" >"$bin/skin/retired.png"
printf '%s\0' "$bin/skin/retired.png" >>"$PREFIX/.raidledger-install/files"
sums() { (cd "$bin" && sha256sum config.cfg Backup/DEMO/TALLYRA_20260101_200000.lua deployment.ini localver.xml); }
before="$(sums)"
install_from "$BUILD" "$PREFIX"
check "an upgrade keeps config.cfg, Backup, deployment.ini and localver.xml byte for byte" \
    test "$before" = "$(sums)"
check "an upgrade removes what the earlier install had and this one has not" \
    test ! -e "$bin/skin/retired.png"
given="$WORK/guild.ini"
printf 'site_url = http://given.example\n' >"$given"
install_from "$BUILD" "$PREFIX" "$given"
check "a deployment file given replaces the settings" cmp -s "$given" "$bin/deployment.ini"

autostart="$XDG_CONFIG_HOME/autostart/TALLYRA.desktop"
uninstalled="$(uninstall_from "$PREFIX")"
check "uninstall removes the automatic start of this install and says so" \
    test ! -e "$autostart" -a "${uninstalled#*automatic start}" != "$uninstalled"
check "uninstall removes the programs" test ! -e "$bin/Raidledger" -a ! -e "$PREFIX/lib"
check "uninstall removes the desktop entry and icons" \
    test ! -e "$entry" -a ! -e "$XDG_DATA_HOME/icons/hicolor/48x48/apps/raidledger.png"
check "uninstall keeps the user's data" test -e "$bin/config.cfg" -a -e "$bin/Backup/DEMO" \
    -a -e "$bin/deployment.ini" -a -e "$bin/localver.xml"
install_from "$BUILD" "$PREFIX" >/dev/null
uninstall_from "$PREFIX" purge
check "uninstall --purge removes the user's data too" test ! -e "$PREFIX"

# A folder holding anything else is no program folder of its own: refused, left as it was.
games="$WORK/Games"
mkdir -p "$games/Other game"
printf 'saved' >"$games/Other game/save.dat"
set +e
refused="$(install_from "$BUILD" "$games" 2>&1)"
status=$?
set -e
check "installing into a folder of other files is refused and suggests a folder of its own" \
    test "$status" -ne 0 -a "${refused#*"$games/raidledger"}" != "$refused"
check "the refused folder is left as it was" \
    test "$(cd "$games" && find . | sort | tr '\n' ' ')" = ". ./Other game ./Other game/save.dat "

# Files of others put into the program folder after the install stay, and are named.
install_from "$BUILD" "$games/raidledger" >/dev/null
printf 'mine' >"$games/raidledger/notes.txt"
printf 'mine' >"$games/raidledger/lib/plugin.so"
printf 'settings' >"$games/raidledger/bin/config.cfg"
left="$(uninstall_from "$games/raidledger" purge)"
check "uninstall --purge keeps the files it did not install and names them" \
    test "$(cd "$games/raidledger" && find . | sort | tr '\n' ' ')" = \
    ". ./lib ./lib/plugin.so ./notes.txt " -a "${left#*notes.txt}" != "$left"
check "uninstalling keeps the other program" test "$(cat "$games/Other game/save.dat")" = saved

# A program folder whose name holds every character a list or a shell could trip over.
odd="$WORK/odd"$'/Raid; ledger\n"2" \'s 100% $HOME \\ 团队/raidledger'
mkdir -p "$WORK/odd"
printf 'mine' >"$WORK/odd/keep.txt"
printf '[Desktop Entry]\nType=Application\nName=TALLYRA\nExec=/old/place/Ledgerboot\n' >"$autostart"
install_from "$BUILD" "$odd" >/dev/null
check "an odd folder name installs the programs there" test -x "$odd/bin/Raidledger" -a \
    -e "$odd/lib/libRaidsift.so" -a -e "$odd/bin/Addonkit/TALLYRA/TALLYRA.toc"
check "the menu entry of an odd folder name is valid" desktop-file-validate "$entry"
check "the automatic start follows the odd folder name" grep -qF "团队/raidledger/bin/Ledgerboot" "$autostart"
uninstall_from "$odd" purge >/dev/null
check "an odd folder name uninstalls exactly: the folders it made go, the rest stays" \
    test "$(cd "$WORK/odd" && find . | sort | tr '\n' ' ')" = ". ./keep.txt " -a ! -e "$entry" \
    -a ! -e "$autostart"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all install checks passed"
