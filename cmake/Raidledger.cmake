# Build helpers shared by every folder of the project.

if(RL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# Warnings for the project's own code; third-party headers come in as system headers.
add_library(rl_warnings INTERFACE)
target_compile_options(rl_warnings INTERFACE -Wall -Wextra -Wpedantic -Werror)
# GCC 12 reports false -Wrestrict overlaps inside std::string concatenation at -O3 (the release
# build); the warning stays on as a warning there but does not fail the build.
target_compile_options(rl_warnings INTERFACE $<$<CXX_COMPILER_ID:GNU>:-Wno-error=restrict>)

function(rl_add_optional_subdirectory dir)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
        add_subdirectory(${dir})
    endif()
endfunction()

# Adds every direct child folder of `dir` that has a CMakeLists.txt, in name order.
function(rl_add_subdirectories dir)
    file(GLOB children LIST_DIRECTORIES true CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*)
    list(SORT children)
    foreach(child IN LISTS children)
        if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
            add_subdirectory(${child})
        endif()
    endforeach()
endfunction()

# rl_add_gtest(<name> SOURCES <files...> LIBS <targets...> [FIXTURES <fixtures...>])
# One GoogleTest program per area; its cases are registered with CTest one by one. FIXTURES:
# the CTest fixtures every case needs (set up before, cleaned up after).
function(rl_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;FIXTURES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main
                                          rl_warnings)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_compile_definitions(${name} PRIVATE
        RL_SOURCE_DIR="${CMAKE_SOURCE_DIR}" RL_BINARY_DIR="${CMAKE_BINARY_DIR}")
    set(fixtures)
    if(ARG_FIXTURES)
        set(fixtures FIXTURES_REQUIRED "${ARG_FIXTURES}")
    endif()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT "TZ=Asia/Shanghai" ${fixtures})
endfunction()
