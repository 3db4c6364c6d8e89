#include "gamefiles/game_folder.h"

#include "gamefolder/game_layout.h"
#include "registry/game_install.h"
#include "utilkit/ufile.h"

#include <utility>

namespace gamefiles {

GameFolder::GameFolder(std::u16string configured) : configured_(std::move(configured)) {}

void GameFolder::setConfigured(std::u16string_view folder) {
    configured_ = folder;
}

std::u16string GameFolder::current() const {
    if (ufile::isFolder(configured_))
        return configured_;
    return registry::readGameInstallPath();
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
