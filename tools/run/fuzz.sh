# about: run the differential clipper fuzzer: ./run fuzz [seconds] (default 60), clang build in build-fuzz/
run_fuzz() {
    local seconds="${1:-60}"
    local dir="$ROOT/build-fuzz"
    local corpus="$ROOT/tests/analyser/clipper_corpus"
    cmd_deps
    configure "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRL_TESTS=OFF -DRL_SANITIZE=OFF \
        -DRL_FUZZ=ON -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
        -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
    cmake --build "$dir" --target clipper_fuzz
    # The fuzzer works in its own corpus folder; afterwards the inputs that add coverage are
    # merged into the committed corpus, and any failing input lands there too (the ordinary
    # tests replay every file of it).
    mkdir -p "$dir/corpus"
    local status=0
    "$dir/bin/clipper_fuzz" "$dir/corpus" "$corpus" -max_total_time="$seconds" -max_len=4096 \
        -timeout=20 -rss_limit_mb=3072 -print_final_stats=1 \
        -artifact_prefix="$corpus/found-" || status=$?
    "$dir/bin/clipper_fuzz" -merge=1 "$corpus" "$dir/corpus" >/dev/null 2>&1 || true
    echo "fuzz: ran ${seconds}s; corpus now $(ls "$corpus" | wc -l) files in ${corpus#$ROOT/}"
    return "$status"
}
