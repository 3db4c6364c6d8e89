#include "gamefiles/addon_manager.h"

#include "gamefiles/dkp_list.h"
#include "gamefiles/game_folder.h"
#include "gamefolder/game_layout.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

namespace gamefiles {
namespace {

std::u16string readVersionFile(const std::u16string& path) {
    std::string bytes;
    if (!ufile::ReadFileData(path, bytes))
        return {};
    return ustring::toWideString(bytes, ustring::kAnsiCodePage);
}

} // namespace

AddonManager::AddonManager() : AddonManager(ufile::GetModulePathDir()) {}

AddonManager::AddonManager(std::u16string programFolder)
    : programFolder_(std::move(programFolder)) {}

std::u16string AddonManager::getSourceFolder(std::u16string_view gameFolder) const {
    return programFolder_ +
           (isMainlandClient(gameFolder) ? u"Addonkit/TALLYRA/" : u"Addonkit/TALLYRA_TW/");
}

std::u16string AddonManager::getInstalledFolder(std::u16string_view gameFolder) {
    return gamefolder::addonFolder(gameFolder);
}

std::u16string AddonManager::getInstalledVersion(std::u16string_view gameFolder) const {
    return readVersionFile(gamefolder::gamePath(getInstalledFolder(gameFolder), u"version.txt"));
}

std::u16string AddonManager::getSourceVersion(std::u16string_view gameFolder) const {
    return readVersionFile(getSourceFolder(gameFolder) + u"version.txt");
}

bool AddonManager::installAddon(std::u16string_view gameFolder) const {
    if (gameFolder.empty())
        return false;
    // The addon also loads MerDKP/dkp_list.lua, the guild's list as the client received it. The
    // variants do not ship that file, so no copy can replace a received list; until the first
    // list arrives, an empty one keeps the game from reporting a missing file.
    if (getInstalledVersion(gameFolder) == getSourceVersion(gameFolder)) {
        placeEmptyDkpList(gameFolder);
        return true;
    }
    const std::u16string installed = getInstalledFolder(gameFolder);
    const std::u16string versionFile = gamefolder::gamePath(installed, u"version.txt");
    std::string previousVersion;
    const bool hadVersion = ufile::ReadFileData(versionFile, previousVersion);
    if (ufile::CopyDirectory(getSourceFolder(gameFolder), installed, true)) {
        placeEmptyDkpList(gameFolder);
        return true;
    }
    // A partly copied addon must not pass for current at the next check: put its version
    // back so that the copy is tried again.
    if (hadVersion)
        ufile::WriteFileData(versionFile, previousVersion);
    else
        ufile::removeFile(versionFile);
    return false;
}

} // namespace gamefiles
