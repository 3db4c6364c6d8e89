# about: run a fuzz target: ./run fuzz TARGET [seconds] (default 60 s; a number alone runs clipper_fuzz), ./run fuzz alone lists the targets; clang build in build-fuzz/

# Each target, the corpus it grows (replayed by ./run test) and the longest input it is fed.
FUZZ_TARGETS=(
    "clipper_fuzz tests/analyser/clipper_corpus 4096"
    "raid_document_fuzz tests/site/records/raid_document_corpus 16384"
    "site_request_fuzz tests/site/api/site_request_corpus 16384"
    "cabinet_extract_fuzz tests/foundation/cabinet/extract_corpus 65536"
    "config_file_fuzz tests/client/domain/config/corpus/config_file 65536"
    "property_map_fuzz tests/client/domain/packing/corpus/property_map 4096"
)

list_fuzz_targets() {
    echo "fuzz targets (./run fuzz TARGET [seconds]):"
    local entry
    for entry in "${FUZZ_TARGETS[@]}"; do
        read -r name corpus _ <<<"$entry"
        printf '  %-22s corpus %s\n' "$name" "$corpus"
    done
}

run_fuzz() {
    if [ $# -eq 0 ]; then
        list_fuzz_targets
        return 0
    fi
    local target="clipper_fuzz"
    if ! [[ "$1" =~ ^[0-9]+$ ]]; then
        target="$1"
        shift
    fi
    local seconds="${1:-60}"
    local dir="$ROOT/build-fuzz"
    local corpus="" max_len="" entry name
    for entry in "${FUZZ_TARGETS[@]}"; do
        read -r name corpus max_len <<<"$entry"
        [ "$name" = "$target" ] && break
        corpus=""
    done
    if [ -z "$corpus" ]; then
        echo "fuzz: unknown target '$target'" >&2
        list_fuzz_targets >&2
        return 2
    fi
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
