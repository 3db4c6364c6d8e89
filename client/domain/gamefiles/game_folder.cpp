#include "gamefiles/game_folder.h"

#include "gamefiles/game_path.h"
#include "registry/game_install.h"
#include "utilkit/ufile.h"

#include <filesystem>

namespace fs = std::filesystem;

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
    const std::u16string base = gamePath(gameFolder, u"WTF/Account/");
    if (base.empty())
        return;
    std::error_code error;
    fs::directory_iterator it(ufile::toNativePath(base), error);
    if (error)
        return;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error)
            return;
        if (!it->is_directory(error))
            continue;
        const std::u16string name = ufile::fromNativePath(it->path().filename().native());
        if (ufile::isFolder(base + name) &&
            pathExists(gamePath(base + name + u"/", u"SavedVariables.lua")))
            accounts.push_back(name);
    }
}

bool isMainlandClient(std::u16string_view gameFolder) {
    return !pathExists(gamePath(gameFolder, u"Data/zhTW/realmlist.wtf"));
}

std::u16string getAddonDataFile(std::u16string_view gameFolder, std::u16string_view account) {
    std::u16string relative = u"WTF/Account/";
    relative.append(account);
    relative.append(u"/SavedVariables/TALLYRA.lua");
    return gamePath(gameFolder, relative);
}

} // namespace gamefiles
