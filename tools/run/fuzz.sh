# about: run a fuzz target: ./run fuzz [TARGET] [seconds] (clipper_fuzz, raid_document_fuzz, site_request_fuzz, cabinet_extract_fuzz; default clipper_fuzz, 60 s), clang build in build-fuzz/
run_fuzz() {
    local target="clipper_fuzz"
    if [ $# -gt 0 ] && ! [[ "$1" =~ ^[0-9]+$ ]]; then
        target="$1"
        shift
    fi
    local seconds="${1:-60}"
    local dir="$ROOT/build-fuzz"
    # Each target's corpus, and the longest input it is fed.
    local corpus max_len
    case "$target" in
    clipper_fuzz) corpus="tests/analyser/clipper_corpus" max_len=4096 ;;
    raid_document_fuzz) corpus="tests/devsite/raid_document_corpus" max_len=16384 ;;
    site_request_fuzz) corpus="tests/devsite/site_request_corpus" max_len=16384 ;;
    cabinet_extract_fuzz) corpus="tests/platform/cabinet/extract_corpus" max_len=65536 ;;
    *)
        echo "fuzz: unknown target '$target' (clipper_fuzz, raid_document_fuzz, site_request_fuzz, cabinet_extract_fuzz)" >&2
        return 2
        ;;
    esac
    corpus="$ROOT/$corpus"
    cmd_deps
    configure "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRL_TESTS=OFF -DRL_SANITIZE=OFF \
        -DRL_FUZZ=ON -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
        -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
    cmake --build "$dir" --target "$target" -j "$JOBS"
    # The fuzzer works in its own corpus folder; afterwards the inputs that add coverage are
    # merged into the committed corpus, and any failing input lands there too (the ordinary
    # tests replay every file of it).
    mkdir -p "$dir/corpus/$target"
    local status=0
    "$dir/bin/$target" "$dir/corpus/$target" "$corpus" -max_total_time="$seconds" \
        -max_len="$max_len" -timeout=20 -rss_limit_mb=3072 -print_final_stats=1 \
        -artifact_prefix="$corpus/found-" || status=$?
    "$dir/bin/$target" -merge=1 "$corpus" "$dir/corpus/$target" >/dev/null 2>&1 || true
    echo "fuzz: $target ran ${seconds}s; corpus now $(ls "$corpus" | wc -l) files in ${corpus#$ROOT/}"
    return "$status"
}
