#!/usr/bin/env bash
# Runs a program of a Windows build under Wine: wine_exec.sh <build folder> <program> [arguments].
# The Wine prefix lives in <build folder>/wine; the build's bin/ is on the program's search path
# for libraries. No display is needed.
set -euo pipefail
build="$(cd "$1" && pwd)"
shift
export WINEPREFIX="$build/wine"
export WINEDEBUG=-all
# No .NET or HTML engine: the first start of a prefix would otherwise offer to install them.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPATH="Z:${build//\//\\}\\bin"
unset DISPLAY WAYLAND_DISPLAY
exec /usr/lib/wine/wine64 "$@"
