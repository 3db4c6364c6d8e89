# Cross build for Windows with Debian's MinGW-w64 GCC (posix threads). Included by the toolchain
# file of each target, which sets RL_MINGW_TRIPLET first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 6.1) # Windows 7: the oldest system whose API the back ends call

set(CMAKE_C_COMPILER ${RL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${RL_MINGW_TRIPLET}-windres)

# Headers and libraries of the target come from the MinGW-w64 tree, programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${RL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
