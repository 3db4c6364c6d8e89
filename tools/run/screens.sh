# about: write a PNG of every window and of the site's main pages, with demo data, into build/screens/

run_screens() {
    # shellcheck source=/dev/null
    source "$ROOT/tools/run/demo.sh"
    cmd_build
    demo_prepare "$BUILD"
    local screens="$BUILD/screens"
    rm -rf "$screens"
    (cd "$BUILD/bin" && ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}" QT_QPA_PLATFORM=offscreen \
        ./raidledger_demo screens --out "$screens")
    # The site's pages, at a phone's width and a desktop's, in headless Chromium.
    ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}" /usr/bin/python3 \
        "$ROOT/tests/site/web/site_browser.py" "$BUILD/bin/dkpsite" screens "$screens"
    echo "Windows saved in $screens"
}
