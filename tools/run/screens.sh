# about: write a PNG of every window, filled with demo data, into build/screens/

run_screens() {
    # shellcheck source=/dev/null
    source "$ROOT/tools/run/demo.sh"
    cmd_build
    demo_prepare "$BUILD"
    local screens="$BUILD/screens"
    rm -rf "$screens"
    (cd "$BUILD/bin" && ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}" QT_QPA_PLATFORM=offscreen \
        ./raidledger_demo screens --out "$screens")
    echo "Windows saved in $screens"
}
