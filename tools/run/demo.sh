# about: build and show the program with demo data
run_demo() {
    cmd_release
    echo "Raidledger's windows are not built yet; here is the analyser at work."
    ls "$ROOT/build-release/bin"
}
