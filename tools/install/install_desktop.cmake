# Run by `cmake --install` after the program files are in place (RL_ICON_FOLDER and RL_STAGING
# are set by the install rules): the deployment settings of the program folder, and the menu
# entry and icons of the user's desktop. RL_PROGRAM_FOLDER, when set, is the program folder as
# the menu entry names it (the install prefix otherwise).

if(NOT "$ENV{RL_PROGRAM_FOLDER}" STREQUAL "")
    set(bin "$ENV{RL_PROGRAM_FOLDER}/bin")
else()
    set(bin "${CMAKE_INSTALL_PREFIX}/bin")
endif()
if(IS_ABSOLUTE "$ENV{XDG_DATA_HOME}")
    set(data "$ENV{XDG_DATA_HOME}")
else()
    set(data "$ENV{HOME}/.local/share")
endif()

# deployment.ini is the user's: a file given with RL_DEPLOYMENT_FILE replaces it, otherwise one
# that exists is kept, and only a new program folder gets the template. It is copied, not
# installed, so that uninstalling keeps it.
if(NOT "$ENV{RL_DEPLOYMENT_FILE}" STREQUAL "")
    if(NOT EXISTS "$ENV{RL_DEPLOYMENT_FILE}")
        message(FATAL_ERROR "deployment file $ENV{RL_DEPLOYMENT_FILE} does not exist")
    endif()
    file(COPY_FILE "$ENV{RL_DEPLOYMENT_FILE}" "${bin}/deployment.ini")
    message(STATUS "Deployment settings: ${bin}/deployment.ini (from $ENV{RL_DEPLOYMENT_FILE})")
elseif(NOT EXISTS "${bin}/deployment.ini")
    file(COPY_FILE "${bin}/deployment.ini.template" "${bin}/deployment.ini")
    message(STATUS "Deployment settings: ${bin}/deployment.ini (fill in your guild's site)")
else()
    message(STATUS "Deployment settings kept: ${bin}/deployment.ini")
endif()

# Exec= quotes the launcher's path as desktop entries want it: inside double quotes `"`, `` ` ``,
# `$` and `\` are escaped with `\`, which the file's own string escaping doubles again; `%`
# is doubled; line breaks, tabs and carriage returns take the string escapes \n, \t and \r.
set(exec "${bin}/Ledgerboot")
string(REPLACE "\\" "\\\\\\\\" exec "${exec}")
foreach(special "\"" "`" "$")
    string(REPLACE "${special}" "\\\\${special}" exec "${exec}")
endforeach()
string(REPLACE "%" "%%" exec "${exec}")
string(REPLACE "\n" "\\n" exec "${exec}")
string(REPLACE "\t" "\\t" exec "${exec}")
string(REPLACE "\r" "\\r" exec "${exec}")

file(MAKE_DIRECTORY "${RL_STAGING}")
file(WRITE "${RL_STAGING}/raidledger.desktop"
"[Desktop Entry]
Type=Application
Version=1.0
Name=Raidledger
GenericName=DKP raid ledger
GenericName[zh_CN]=DKP 团队记录
Comment=Upload World of Warcraft raids to your guild's DKP site
Comment[zh_CN]=把魔兽世界的 RAID 记录上传到公会 DKP 网站
Exec=\"${exec}\"
Icon=raidledger
Terminal=false
Categories=Game;Utility;
StartupNotify=false
")
file(INSTALL "${RL_STAGING}/raidledger.desktop" DESTINATION "${data}/applications")
foreach(size 48 128 256)
    file(INSTALL "${RL_ICON_FOLDER}/icon-${size}.png"
         DESTINATION "${data}/icons/hicolor/${size}x${size}/apps" RENAME raidledger.png)
endforeach()
