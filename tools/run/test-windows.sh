# about: build for Windows (64- and 32-bit) and run its tests under Wine; raidsift's output on the sample and generated logs, the extraction of every test cabinet, and compound files written by either side, must equal the Linux build's byte for byte

# shellcheck source=/dev/null
source "$ROOT/tools/run/windows.sh"

WINDOWS_BUILD="$ROOT/build-windows"
WINE_EXEC="$ROOT/tools/run/windows/wine_exec.sh"

# The Wine prefix inside the build folder, made on first use (a minute or two on a fresh machine).
windows_prefix() {
    if [ -f "$WINDOWS_BUILD/wine/system.reg" ]; then
        return 0
    fi
    echo "Making the Wine prefix in $WINDOWS_BUILD/wine (only the first run does this)"
    rm -rf "$WINDOWS_BUILD/wine"
    # wineboot returns before the Wine server has written the registry out; wait for that too.
    if ! timeout 900 "$WINE_EXEC" "$WINDOWS_BUILD" wineboot --init >"$WINDOWS_BUILD/wineboot.log" 2>&1 ||
        ! timeout 300 env WINEPREFIX="$WINDOWS_BUILD/wine" /usr/lib/wine/wineserver --wait ||
        [ ! -f "$WINDOWS_BUILD/wine/system.reg" ]; then
        echo "test-windows: Wine could not make its prefix in $WINDOWS_BUILD/wine; its messages:" >&2
        cat "$WINDOWS_BUILD/wineboot.log" >&2
        rm -rf "$WINDOWS_BUILD/wine"
        return 1
    fi
}

windows_server() {
    WINEPREFIX="$WINDOWS_BUILD/wine" /usr/lib/wine/wineserver "$@"
}

run_test-windows() {
    cmd_deps
    windows_build x86_64-w64-mingw32 "$WINDOWS_BUILD"
    windows_build i686-w64-mingw32 "$ROOT/build-windows-32"
    windows_prefix
    # One Wine server for all the runs below, where each would otherwise start its own.
    if ! windows_server -p; then
        echo "test-windows: a Wine server for $WINDOWS_BUILD/wine is already running (another run of" \
            "this build?); stop it with WINEPREFIX=$WINDOWS_BUILD/wine wineserver -k" >&2
        return 1
    fi
    trap 'windows_server -k || true' EXIT
    # Wine's own services start with the first program and outlive it; started here with nothing
    # to hold, they keep no test's output open (ctest would wait for them to the timeout).
    "$WINE_EXEC" "$WINDOWS_BUILD" cmd /c exit </dev/null >/dev/null 2>&1
    (cd "$WINDOWS_BUILD" && ctest --output-on-failure --timeout 600 "$@")
    # The Linux program to compare with: the one `./run test` built, else just that program.
    if [ ! -x "$BUILD/bin/raidsift" ]; then
        configure "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRL_SANITIZE=ON -DRL_TESTS=ON
    fi
    cmake --build "$BUILD" -j "$JOBS" --target raidsift extractcab compoundcheck
    "$ROOT/tools/run/windows/compare_raidsift.sh" "$BUILD/bin/raidsift" "$WINDOWS_BUILD"
    TZ=Asia/Shanghai python3 "$ROOT/tools/run/windows/compare_cabinets.py" "$BUILD/bin/extractcab" \
        "$WINDOWS_BUILD"
    "$ROOT/tools/run/windows/compare_compoundfile.sh" "$BUILD/bin/compoundcheck" "$WINDOWS_BUILD"
}
