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

# Every test carries one of three labels, so that `ctest -L <label>` picks a loop:
#   unit         the code under test alone, in the test's own process (a fork of itself
#                included); needs nothing but its own build.
#   integration  starts another program (dkpsite, the project's tools, a reference tool such as
#                python3, lua5.4, gcab or cabextract, a database cluster) or listens on a
#                network port.
#   slow         takes minutes (installs the program, drives a browser, replays whole corpora
#                through two parsers).
set(RL_TEST_LABELS unit integration slow)

function(rl_check_test_label label)
    if(NOT label IN_LIST RL_TEST_LABELS)
        message(FATAL_ERROR "test label '${label}' is none of: ${RL_TEST_LABELS}")
    endif()
endfunction()

# rl_label_test(<label> TESTS <names...> [NEEDS <targets...>])
# Labels tests added with add_test; a unit test names the targets it runs in NEEDS, so that
# `unit_tests` builds them.
function(rl_label_test label)
    cmake_parse_arguments(ARG "" "" "TESTS;NEEDS" ${ARGN})
    rl_check_test_label(${label})
    set_tests_properties(${ARG_TESTS} PROPERTIES LABELS ${label})
    if(label STREQUAL "unit" AND ARG_NEEDS)
        set_property(GLOBAL APPEND PROPERTY RL_UNIT_TEST_TARGETS ${ARG_NEEDS})
    endif()
endfunction()

# rl_add_gtest(<name> LABELS <label> [INTEGRATION_CASES <gtest filter>]
#              [SLOW_CASES <gtest filter>] SOURCES <files...> LIBS <targets...>
#              [FIXTURES <fixtures...>])
# One GoogleTest program per area; its cases are registered with CTest one by one, labelled
# <label>, except the cases INTEGRATION_CASES matches (those that start another program),
# labelled integration, and those SLOW_CASES matches, labelled slow. FIXTURES: the CTest
# fixtures every case needs (set up before, cleaned up after).
function(rl_add_gtest name)
    cmake_parse_arguments(ARG "" "LABELS;INTEGRATION_CASES;SLOW_CASES" "SOURCES;LIBS;FIXTURES"
                          ${ARGN})
    if(NOT ARG_LABELS)
        message(FATAL_ERROR "rl_add_gtest(${name}): give its LABELS (${RL_TEST_LABELS})")
    endif()
    rl_check_test_label(${ARG_LABELS})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main
                                          rl_warnings)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_compile_definitions(${name} PRIVATE
        RL_SOURCE_DIR="${CMAKE_SOURCE_DIR}" RL_BINARY_DIR="${CMAKE_BINARY_DIR}")
    if(CMAKE_CROSSCOMPILING)
        # Under an emulator (Wine) every start costs a second: one test for the whole program.
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES LABELS ${ARG_LABELS})
        return()
    endif()
    set(fixtures)
    if(ARG_FIXTURES)
        set(fixtures FIXTURES_REQUIRED "${ARG_FIXTURES}")
    endif()
    set(others "")
    foreach(label integration slow)
        string(TOUPPER ${label} kind)
        set(cases "${ARG_${kind}_CASES}")
        if(cases)
            gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                                 TEST_FILTER "${cases}"
                                 PROPERTIES ENVIRONMENT "TZ=Asia/Shanghai" LABELS ${label}
                                            ${fixtures})
            list(APPEND others "${cases}")
        endif()
    endforeach()
    set(filter "")
    if(others)
        list(JOIN others ":" others)
        set(filter TEST_FILTER "-${others}")
    endif()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 ${filter}
                         PROPERTIES ENVIRONMENT "TZ=Asia/Shanghai" LABELS ${ARG_LABELS}
                                    ${fixtures})
    if(ARG_LABELS STREQUAL "unit")
        set_property(GLOBAL APPEND PROPERTY RL_UNIT_TEST_TARGETS ${name})
    endif()
endfunction()

# `unit_tests` builds every program the unit tests run; call once, after all tests are added.
function(rl_add_unit_tests_target)
    get_property(targets GLOBAL PROPERTY RL_UNIT_TEST_TARGETS)
    add_custom_target(unit_tests)
    add_dependencies(unit_tests ${targets})
endfunction()
