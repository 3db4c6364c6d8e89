#!/usr/bin/env bash
# Each system reads the compound file the other wrote: compoundcheck of the Linux build (libgsf)
# and of the Windows build (OLE structured storage, under Wine) each write a file, and both list
# both files; the four listings must be the same, and an independent reader (olefile) must read
# the Windows file too.
# usage: compare_compoundfile.sh <linux compoundcheck> <windows build folder>
set -euo pipefail
linux="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
build="$(cd "$2" && pwd)"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
wine_exec="$root/tools/run/windows/wine_exec.sh"
work="$build/compare-compoundfile"
rm -rf "$work"
mkdir -p "$work"
cd "$work"

windows() {
    "$wine_exec" "$build" "$build/bin/compoundcheck.exe" "$@" </dev/null
}

"$linux" write linux.cfb
windows write windows.cfb
"$linux" dump linux.cfb >linux-by-linux.txt
windows dump linux.cfb >linux-by-windows.txt
windows dump windows.cfb >windows-by-windows.txt
"$linux" dump windows.cfb >windows-by-linux.txt
# olefile lists streams only (with their sizes); Debian installs it for /usr/bin/python3.
/usr/bin/python3 - windows.cfb >windows-by-olefile.txt <<'PY'
import sys, olefile
with olefile.OleFileIO(sys.argv[1]) as ole:
    for entry in sorted(ole.listdir()):
        print("/" + "/".join(entry), ole.get_size("/".join(entry)))
PY
# "stream <path> <size> <digest>", where the path may hold blanks.
sed -n 's/^stream \(.*\) \([0-9]*\) [0-9a-f]*$/\1 \2/p' linux-by-linux.txt | sort >expected-by-olefile.txt
failed=0
for listing in linux-by-windows windows-by-windows windows-by-linux; do
    if ! cmp -s linux-by-linux.txt "$listing.txt"; then
        echo "DIFFERS compound file $listing (against linux-by-linux, in $work):"
        diff linux-by-linux.txt "$listing.txt" | head -8 || true
        failed=1
    fi
done
if ! cmp -s expected-by-olefile.txt <(sort windows-by-olefile.txt); then
    echo "DIFFERS olefile's listing of the Windows file (in $work)"
    failed=1
fi
echo "compound files on Linux and Windows: each read by the other, $(wc -l <linux-by-linux.txt) elements," \
    "$([ $failed = 0 ] && echo "the same" || echo "not the same")"
exit $failed
