# The tests of the Windows build, run under Wine by `./run test-windows`. GoogleTest is built
# here from Debian's sources (it names its targets GTest::gtest and so on itself); every test
# program runs through tools/run/windows/wine_exec.sh with the Wine prefix inside the build
# folder. The Windows build runs these tests from their own folders, whose CMakeLists.txt say
# which of their tests it runs.
enable_testing()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

add_subdirectory(tests/analyser)
add_subdirectory(tests/foundation/utilkit)
add_subdirectory(tests/foundation/registry)
add_subdirectory(tests/foundation/autostart)
add_subdirectory(tests/foundation/cabinet)
add_subdirectory(tests/foundation/compoundfile)
