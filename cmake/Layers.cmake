# The layers of the tree, bottom first. Every library and program belongs to exactly one layer,
# lives in that layer's folder and may link only targets of the layers its layer `USES` (its own
# included when listed). The test "ArchitectureLayers" walks every link of every target against
# this table and refuses a target outside its layer's folder; docs/architecture.md shows the graph
# made from it (`cmake --build <build> --target architecture_doc` writes it again). Test programs
# (under tests/) may use every layer.
#
# rl_layer(<name> FOLDER <folder> DESCRIPTION <text> TARGETS <targets...> USES <layers...> [NO_QT])
# FOLDER: the folder, from the top of the tree, that holds the layer's targets and nothing else.
# NO_QT: no target of the layer may link a Qt library.
function(rl_layer name)
    cmake_parse_arguments(ARG "NO_QT" "FOLDER;DESCRIPTION" "TARGETS;USES" ${ARGN})
    if(NOT ARG_FOLDER)
        message(FATAL_ERROR "rl_layer(${name}): give the layer's FOLDER")
    endif()
    set_property(GLOBAL APPEND PROPERTY RL_LAYERS ${name})
    set_property(GLOBAL PROPERTY RL_LAYER_${name}_FOLDER "${ARG_FOLDER}")
    set_property(GLOBAL PROPERTY RL_LAYER_${name}_DESCRIPTION "${ARG_DESCRIPTION}")
    set_property(GLOBAL PROPERTY RL_LAYER_${name}_TARGETS ${ARG_TARGETS})
    set_property(GLOBAL PROPERTY RL_LAYER_${name}_USES ${ARG_USES})
    set_property(GLOBAL PROPERTY RL_LAYER_${name}_NO_QT ${ARG_NO_QT})
endfunction()

rl_layer(foundation NO_QT FOLDER foundation
    DESCRIPTION "text, file and digest helpers, and the platform's file formats and system services"
    TARGETS utilkit platform_cabinet platform_compoundfile platform_filecase platform_registry
            platform_autostart
    USES foundation)
rl_layer(desktop FOLDER desktop
    DESCRIPTION "the helpers that need the desktop (browser, folder dialog, fonts)"
    TARGETS utilkit_gui
    USES foundation)
rl_layer(contracts NO_QT FOLDER contracts
    DESCRIPTION "what the client and its companions agree on: the protocol library's interface, the update folder and its package lists, the timer-service interface, the game folder's layout"
    TARGETS contract_protocol contract_packlist contract_timer contract_gamefolder
    USES foundation)
rl_layer(analyser NO_QT FOLDER analyser
    DESCRIPTION "Raidsift: the saved-variables parser, the raid analysis, the upload document and the exports"
    TARGETS Raidsift
    USES foundation)
rl_layer(companions FOLDER companions
    DESCRIPTION "the libraries and programs beside the client: timer, backups, downloader, protocol library, launcher"
    TARGETS tickhub savekeep fetchkit wirekit_core wirekit Ledgerboot
    USES foundation contracts companions)
rl_layer(client_domain NO_QT FOLDER client/domain
    DESCRIPTION "the client's work without windows: settings, game files, the update run, the protocol binding"
    TARGETS client_packing client_config client_protocol_binding client_gamefiles client_updater
            client_updater_entry
    USES foundation contracts analyser companions client_domain)
rl_layer(client_ui FOLDER client/ui
    DESCRIPTION "the client's windows, dialogs and the upload wizard"
    TARGETS client_ui
    USES foundation desktop contracts analyser companions client_domain)
rl_layer(application FOLDER client/app
    DESCRIPTION "the application object and the program Raidledger"
    TARGETS client_app Raidledger
    USES foundation desktop contracts analyser companions client_domain client_ui application)
rl_layer(site NO_QT FOLDER site
    DESCRIPTION "dkpsite, the guild's DKP web site: raid records, points ledger, store, client protocol, pages, server, command line"
    TARGETS site_records site_ledger site_store site_demo site_auth site_api site_web site_http site_cli
            dkpsite
    USES foundation site)
rl_layer(tools FOLDER tools
    DESCRIPTION "command-line tools, benchmarks, fuzz targets, the demo and the skin painter"
    TARGETS raidsift raidlist installupdates extractcab compoundcheck raidledger_demo skinpaint clipper_fuzz
            raid_document_fuzz site_request_fuzz cabinet_extract_fuzz config_file_fuzz
            property_map_fuzz
    USES foundation desktop contracts analyser companions client_domain client_ui application
         site)

# Every target defined below `dir`, its subfolders included.
function(rl_collect_targets dir out)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(children DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(child IN LISTS children)
        rl_collect_targets(${child} child_targets)
        list(APPEND targets ${child_targets})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# The names a link list holds, generator expressions taken apart ($<LINK_ONLY:x> and the like).
function(rl_link_names target out)
    set(names)
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
        get_target_property(links ${target} ${property})
        if(NOT links)
            continue()
        endif()
        foreach(link IN LISTS links)
            string(REGEX REPLACE "\\$<[A-Z_]+:([^>]*)>" "\\1" link "${link}")
            string(REGEX REPLACE "[$<>]" "" link "${link}")
            if(link)
                list(APPEND names ${link})
            endif()
        endforeach()
    endforeach()
    list(REMOVE_DUPLICATES names)
    set(${out} ${names} PARENT_SCOPE)
endfunction()

# The folders of the tree that `targets` name as include folders, for themselves or their users
# (generator expressions taken apart, installed paths left out).
function(rl_include_roots targets out)
    set(roots)
    foreach(target IN LISTS targets)
        foreach(property INCLUDE_DIRECTORIES INTERFACE_INCLUDE_DIRECTORIES)
            get_target_property(folders ${target} ${property})
            if(NOT folders)
                continue()
            endif()
            foreach(root IN LISTS folders)
                string(REGEX REPLACE "\\$<INSTALL_INTERFACE:[^>]*>" "" root "${root}")
                string(REGEX REPLACE "\\$<[A-Z_]+:([^>]*)>" "\\1" root "${root}")
                if(root)
                    cmake_path(NORMAL_PATH root)
                    string(REGEX REPLACE "/$" "" root "${root}")
                    string(FIND "${root}/" "${CMAKE_SOURCE_DIR}/" in_tree)
                    string(FIND "${root}/" "${CMAKE_BINARY_DIR}/" in_build)
                    if(in_tree EQUAL 0 AND NOT in_build EQUAL 0)
                        list(APPEND roots "${root}")
                    endif()
                endif()
            endforeach()
        endforeach()
    endforeach()
    list(REMOVE_DUPLICATES roots)
    list(SORT roots)
    set(${out} ${roots} PARENT_SCOPE)
endfunction()

# Writes <build>/layers/table.cmake (the table), <build>/layers/links.txt (one line
# "<target> <linked>" per link of a project target), <build>/layers/folders.txt (one line
# "<target> <folder>" per project target, its folder from the top of the tree) and
# <build>/layers/include_roots.txt (the tree's include folders), and adds the checks and the
# document target.
function(rl_check_layers)
    set(folder ${CMAKE_BINARY_DIR}/layers)
    get_property(layers GLOBAL PROPERTY RL_LAYERS)
    set(table "set(RL_LAYERS ${layers})\n")
    foreach(layer IN LISTS layers)
        foreach(key FOLDER DESCRIPTION TARGETS USES NO_QT)
            get_property(value GLOBAL PROPERTY RL_LAYER_${layer}_${key})
            string(APPEND table "set(RL_LAYER_${layer}_${key} \"${value}\")\n")
        endforeach()
    endforeach()
    file(WRITE ${folder}/table.cmake "${table}")

    rl_collect_targets(${CMAKE_SOURCE_DIR} targets)
    set(lines)
    set(folders)
    set(layered_targets)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        get_target_property(source ${target} SOURCE_DIR)
        if(type STREQUAL "UTILITY" OR target STREQUAL "rl_warnings")
            continue()
        endif()
        string(FIND "${source}/" "${CMAKE_SOURCE_DIR}/tests/" in_tests)
        if(in_tests EQUAL 0)
            continue()
        endif()
        file(RELATIVE_PATH source_folder ${CMAKE_SOURCE_DIR} ${source})
        list(APPEND layered_targets ${target})
        list(APPEND folders "${target} ${source_folder}")
        rl_link_names(${target} links)
        list(APPEND lines "${target} -")
        foreach(link IN LISTS links)
            if(link STREQUAL "rl_warnings")
                continue()
            endif()
            # Qt is kept for the layers that must not link it; other outside libraries are the
            # folders' own business. Imported targets are not visible here, project ones are.
            if(link MATCHES "^Qt")
                list(APPEND lines "${target} ${link}")
            elseif(TARGET ${link})
                get_target_property(imported ${link} IMPORTED)
                if(NOT imported)
                    list(APPEND lines "${target} ${link}")
                endif()
            endif()
        endforeach()
    endforeach()
    list(JOIN lines "\n" text)
    file(WRITE ${folder}/links.txt "${text}\n")
    list(JOIN folders "\n" text)
    file(WRITE ${folder}/folders.txt "${text}\n")
    rl_include_roots("${layered_targets}" roots)
    list(JOIN roots "\n" text)
    file(WRITE ${folder}/include_roots.txt "${text}\n")

    set(script ${CMAKE_SOURCE_DIR}/cmake/layer_check.cmake)
    if(RL_TESTS)
        add_test(NAME ArchitectureLayers COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} -P ${script})
        # The check itself: a link from the bottom layer up to the windows must be refused.
        add_test(NAME ArchitectureLayers.RefusesAnUpwardLink
                 COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} "-DEXTRA_LINK=utilkit client_ui"
                         -P ${script})
        set_tests_properties(ArchitectureLayers.RefusesAnUpwardLink PROPERTIES
            PASS_REGULAR_EXPRESSION "utilkit \\(foundation\\) links client_ui \\(client_ui\\)")
        add_test(NAME ArchitectureLayers.RefusesATargetWithoutLayer
                 COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} "-DEXTRA_LINK=newtool -" -P ${script})
        set_tests_properties(ArchitectureLayers.RefusesATargetWithoutLayer PROPERTIES
            PASS_REGULAR_EXPRESSION "newtool belongs to no layer")
        # A library of the bottom layer placed among the windows must be refused.
        add_test(NAME ArchitectureLayers.RefusesATargetInAnotherLayersFolder
                 COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} "-DEXTRA_FOLDER=utilkit client/ui/utilkit"
                         -P ${script})
        set_tests_properties(ArchitectureLayers.RefusesATargetInAnotherLayersFolder PROPERTIES
            PASS_REGULAR_EXPRESSION
            "utilkit \\(foundation\\) is in client/ui/utilkit, the folder of layer client_ui")
        set(include_check ${CMAKE_SOURCE_DIR}/cmake/include_check.cmake)
        add_test(NAME ArchitectureIncludes
                 COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} -DSOURCE=${CMAKE_SOURCE_DIR}
                         -P ${include_check})
        # The check itself: the text helpers including a window's header must be refused.
        add_test(NAME ArchitectureIncludes.RefusesAnUpwardInclude
                 COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} -DSOURCE=${CMAKE_SOURCE_DIR}
                         "-DEXTRA_INCLUDE=foundation/utilkit/ustring.cpp client/ui/include/ui/prompter.h"
                         -P ${include_check})
        set_tests_properties(ArchitectureIncludes.RefusesAnUpwardInclude PROPERTIES
            PASS_REGULAR_EXPRESSION
            "foundation/utilkit/ustring.cpp \\(foundation\\) includes client/ui/include/ui/prompter.h \\(client_ui\\)")
        add_test(NAME ArchitectureDocument
                 COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder}
                         -DDOCUMENT=${CMAKE_SOURCE_DIR}/docs/architecture.md -DMODE=compare
                         -P ${CMAKE_SOURCE_DIR}/cmake/layer_document.cmake)
        rl_label_test(unit TESTS ArchitectureLayers ArchitectureLayers.RefusesAnUpwardLink
                                 ArchitectureLayers.RefusesATargetWithoutLayer
                                 ArchitectureLayers.RefusesATargetInAnotherLayersFolder
                                 ArchitectureIncludes ArchitectureIncludes.RefusesAnUpwardInclude
                                 ArchitectureDocument)
    endif()
    add_custom_target(architecture_doc
        COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} -DDOCUMENT=${CMAKE_SOURCE_DIR}/docs/architecture.md
                -DMODE=write -P ${CMAKE_SOURCE_DIR}/cmake/layer_document.cmake
        COMMENT "Writing the layer graph into docs/architecture.md")
endfunction()
