#include "gamefiles/game_folder.h"

#include "gamefolder/game_layout.h"
#include "registry/game_install.h"
#include "utilkit/ufile.h"

#include <utility>

namespace gamefiles {
namespace {

std::u16string& configuredFolder() {
    static std::u16string folder;
    return folder;
}

} // namespace

void setGameFolder(std::u16string_view folder) {
    configuredFolder() = folder;
}

std::u16string getConfiguredGameFolder() {
    return configuredFolder();
}

std::u16string getGameFolder() {
    const std::u16string& configured = configuredFolder();
    if (ufile::isFolder(configured))
        return configured;
    return registry::readGameInstallPath();
}

void getAccounts(std::vector<std::u16string>& accounts) {
    getAccounts(getGameFolder(), accounts);
}

void getAccounts(std::u16string_view gameFolder, std::vector<std::u16string>& accounts) {
    for (std::u16string& account : gamefolder::accounts(gameFolder))
        accounts.push_back(std::move(account));
}

bool isMainlandClient(std::u16string_view gameFolder) {
    return !gamefolder::pathExists(gamefolder::taiwanClientMarker(gameFolder));
}

std::u16string getAddonDataFile(std::u16string_view gameFolder, std::u16string_view account) {
    return gamefolder::addonDataFile(gameFolder, account);
}

} // namespace gamefiles
