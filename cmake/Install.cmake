# What `cmake --install` puts into a program folder of its own (CMAKE_INSTALL_PREFIX): the
# programs in bin/ with the addon kit and the skin beside them, where the program also keeps its
# data ("config.cfg", "Backup", "temp", "localver.xml"), and the shared libraries in lib/, found
# from bin/ through the programs' run path. The same layout as a build folder.
#
# Beside the program folder, for the user's desktop: the menu entry "raidledger.desktop" and the
# icon at three sizes under the user's data folder ($XDG_DATA_HOME, by default ~/.local/share).

set(RL_INSTALLED_TARGETS Raidledger Ledgerboot raidsift Raidsift wirekit)
foreach(target IN LISTS RL_INSTALLED_TARGETS)
    if(NOT TARGET ${target})
        return() # a partial build (the fuzzing one) installs nothing
    endif()
endforeach()

install(TARGETS Raidledger Ledgerboot raidsift RUNTIME DESTINATION bin)
install(TARGETS Raidsift wirekit LIBRARY DESTINATION lib)
install(DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Addonkit ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/skin
        DESTINATION bin)
install(FILES ${CMAKE_SOURCE_DIR}/tools/install/deployment.ini.template DESTINATION bin)
install(CODE "set(RL_ICON_FOLDER \"${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/skin/images\")
              set(RL_STAGING \"${CMAKE_BINARY_DIR}/install-staging\")")
install(SCRIPT ${CMAKE_SOURCE_DIR}/tools/install/install_desktop.cmake)
