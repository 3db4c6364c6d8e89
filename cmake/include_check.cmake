cmake_minimum_required(VERSION 3.25)
# Checks that no file in a layer's folder includes a header of a layer its layer may not use
# (cmake/Layers.cmake): between folders, every include runs down the layer order.
# -DFOLDER=<build>/layers -DSOURCE=<top of the tree>; for the check's own test,
# -DEXTRA_INCLUDE="<file> <header>" (both from the top of the tree) adds one include.
include(${FOLDER}/table.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/layer_folders.cmake)
file(STRINGS ${FOLDER}/include_roots.txt roots)

# The file of the tree that an include names, from the top of the tree; "" for every other
# header (the system's, the compiler's, one generated into the build folder). A quoted include is
# looked for beside the including file first, as the compiler does.
function(resolve_include including_folder line out)
    string(REGEX MATCH "([<\"])([^>\"]+)[>\"]" unused "${line}")
    set(bases ${roots})
    if(CMAKE_MATCH_1 STREQUAL "\"")
        list(PREPEND bases "${SOURCE}/${including_folder}")
    endif()
    foreach(base IN LISTS bases)
        set(candidate "${base}/${CMAKE_MATCH_2}")
        if(EXISTS "${candidate}" AND NOT IS_DIRECTORY "${candidate}")
            cmake_path(NORMAL_PATH candidate)
            file(RELATIVE_PATH header ${SOURCE} ${candidate})
            set(${out} "${header}" PARENT_SCOPE)
            return()
        endif()
    endforeach()
    set(${out} "" PARENT_SCOPE)
endfunction()

# Appends to `faults` when `file` (of layer `layer`) may not include `header`.
function(check_include layer file header)
    layer_of_folder("${header}" header_layer)
    if(header_layer STREQUAL "")
        set(faults ${faults} "${file} (${layer}) includes ${header}, which is outside every layer's folder"
            PARENT_SCOPE)
    elseif(NOT header_layer STREQUAL layer AND NOT header_layer IN_LIST RL_LAYER_${layer}_USES)
        set(faults ${faults}
            "${file} (${layer}) includes ${header} (${header_layer}), a layer that ${layer} may not use"
            PARENT_SCOPE)
    endif()
endfunction()

set(faults)
set(checked 0)
foreach(layer IN LISTS RL_LAYERS)
    set(layer_folder "${RL_LAYER_${layer}_FOLDER}")
    file(GLOB_RECURSE files RELATIVE ${SOURCE} ${SOURCE}/${layer_folder}/*.h
         ${SOURCE}/${layer_folder}/*.hpp ${SOURCE}/${layer_folder}/*.cpp)
    foreach(file IN LISTS files)
        layer_of_folder("${file}" holder)
        if(NOT holder STREQUAL layer)
            continue() # a file of a layer whose folder lies inside this one's
        endif()
        get_filename_component(including_folder ${file} DIRECTORY)
        file(STRINGS ${SOURCE}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"][^>\"]+[>\"]")
        foreach(line IN LISTS lines)
            resolve_include("${including_folder}" "${line}" header)
            if(NOT header STREQUAL "")
                check_include(${layer} ${file} ${header})
                math(EXPR checked "${checked} + 1")
            endif()
        endforeach()
    endforeach()
endforeach()
if(DEFINED EXTRA_INCLUDE)
    string(REPLACE " " ";" pair "${EXTRA_INCLUDE}")
    list(GET pair 0 file)
    list(GET pair 1 header)
    layer_of_folder("${file}" layer)
    check_include(${layer} ${file} ${header})
endif()

if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Includes that run against the layers:\n  ${text}")
endif()
message(STATUS "${checked} includes between the tree's files keep to the layers")
