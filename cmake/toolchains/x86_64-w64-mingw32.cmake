# 64-bit Windows, the build that runs under Wine in the tests.
set(RL_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
