# 32-bit Windows, the system the deliverables are made for; built to keep the code free of
# anything 64-bit only.
set(RL_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
# Every processor that runs 32-bit Windows 7 has SSE2, which the parser's scanners use; floating
# point in SSE registers also computes as the 64-bit build does.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
