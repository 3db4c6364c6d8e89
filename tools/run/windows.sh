# about: cross-build Raidsift.dll, raidsift.exe and their tests for Windows into build-windows/ (--32: 32-bit, into build-windows-32/)

# windows_build <triplet> <build dir>: configures and builds the Windows build of that target.
windows_build() {
    local triplet="$1" dir="$2"
    configure "$dir" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchains/$triplet.cmake" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRL_SANITIZE=OFF -DRL_TESTS=ON
    cmake --build "$dir" -j "$JOBS"
}

run_windows() {
    cmd_deps
    if [ "${1:-}" = "--32" ]; then
        windows_build i686-w64-mingw32 "$ROOT/build-windows-32"
    else
        windows_build x86_64-w64-mingw32 "$ROOT/build-windows"
    fi
}
