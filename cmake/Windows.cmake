# The Windows build, cross-built with MinGW-w64 (cmake/toolchains/) and tested under Wine:
# Raidsift.dll with its import library, raidsift.exe, the utilkit they link, the platform back ends
# on the Windows API, and their tests.
# Libraries that Debian ships for Linux only come from Debian too: header-only ones from the
# host's headers, GoogleTest built from Debian's sources in /usr/src/googletest.

if(RL_SANITIZE)
    message(FATAL_ERROR "The Windows build has no sanitizers; configure it with RL_SANITIZE=OFF")
endif()

# Libraries are named as on Windows ("Raidsift.dll"); programs, libraries and their import
# libraries all land in bin/, where Windows looks for a program's libraries.
set(CMAKE_SHARED_LIBRARY_PREFIX "")
set(CMAKE_IMPORT_LIBRARY_PREFIX "")
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# Wide-character Windows API throughout; nothing of the ANSI one.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

# Header-only libraries from the host, seen through a folder of their own so that the host's
# other headers stay out of the cross build; find_package finds them through a small package file.
set(RL_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${RL_HOST_HEADERS})
file(CREATE_LINK /usr/include/nlohmann ${RL_HOST_HEADERS}/nlohmann SYMBOLIC)
file(WRITE ${RL_HOST_HEADERS}/nlohmann_jsonConfig.cmake "
if(NOT TARGET nlohmann_json::nlohmann_json)
    add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
    set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
                          INTERFACE_INCLUDE_DIRECTORIES ${RL_HOST_HEADERS})
endif()
")
set(nlohmann_json_DIR ${RL_HOST_HEADERS} CACHE PATH "" FORCE)

# The compiler's own run-time libraries, beside the programs (a Windows user gets them there).
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libgcc_s_dw2-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                    OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(IS_ABSOLUTE "${runtime_path}" AND EXISTS "${runtime_path}")
        file(COPY ${runtime_path} DESTINATION ${CMAKE_BINARY_DIR}/bin)
    endif()
endforeach()

# Every program the build runs (its tests) is started under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/run/windows/wine_exec.sh
                                  ${CMAKE_BINARY_DIR})

add_subdirectory(foundation/utilkit)
add_subdirectory(foundation/registry)
add_subdirectory(foundation/autostart)
add_subdirectory(foundation/cabinet)
add_subdirectory(foundation/compoundfile)
add_subdirectory(analyser)
add_subdirectory(tools/raidsift)
add_subdirectory(tools/extractcab)
add_subdirectory(tools/compoundcheck)

if(RL_TESTS)
    include(WindowsTests)
endif()
