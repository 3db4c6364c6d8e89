# The tests of the Windows build, run under Wine by `./run test-windows`. GoogleTest is built
# here from Debian's sources (it names its targets GTest::gtest and so on itself); every test
# program runs through tools/run/windows/wine_exec.sh with the Wine prefix inside the build
# folder. tests/windows says which of the project's tests the Windows build runs.
enable_testing()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

add_subdirectory(tests/windows)
