# 32-bit Windows, the system the deliverables are made for; built to keep the code free of
# anything 64-bit only.
set(RL_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
