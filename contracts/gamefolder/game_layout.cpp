#include "gamefolder/game_layout.h"

#include "filecase/filecase.h"
#include "utilkit/ufile.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace gamefolder {
namespace {

std::u16string joined(std::u16string_view head, std::u16string_view tail) {
    std::u16string path(head);
    path.append(tail);
    return path;
}

} // namespace

std::u16string gamePath(std::u16string_view gameFolder, std::u16string_view relative) {
    if (gameFolder.empty())
        return {};
    return filecase::resolve(gameFolder, relative);
}

bool pathExists(std::u16string_view path) {
    std::error_code error;
    return !path.empty() && fs::exists(ufile::toNativePath(path), error);
}

std::u16string gameProgram(std::u16string_view gameFolder) {
    return gamePath(gameFolder, u"WoW.exe");
}

std::vector<std::u16string> accounts(std::u16string_view gameFolder) {
    std::vector<std::u16string> names;
    const std::u16string base = gamePath(gameFolder, u"WTF/Account/");
    if (base.empty())
        return names;
    std::error_code error;
    fs::directory_iterator it(ufile::toNativePath(base), error);
    if (error)
        return names;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error)
            break;
        if (!it->is_directory(error))
            continue;
        const std::u16string name = ufile::fromNativePath(it->path().filename().native());
        if (ufile::isFolder(base + name) &&
            pathExists(gamePath(base + name + u"/", u"SavedVariables.lua")))
            names.push_back(name);
    }
    return names;
}

std::u16string accountsFolder(std::u16string_view gameFolder) {
    return gamePath(gameFolder, u"WTF/Account");
}

std::u16string accountsBackupFolder(std::u16string_view gameFolder) {
    return gamePath(gameFolder, u"WTF/Account_backup");
}

std::u16string addonDataFile(std::u16string_view gameFolder, std::u16string_view account) {
    return gamePath(gameFolder,
                    joined(joined(u"WTF/Account/", account), u"/SavedVariables/TALLYRA.lua"));
}

std::u16string addonFolder(std::u16string_view gameFolder) {
    return gamePath(gameFolder, u"Interface/AddOns/TALLYRA/");
}

std::u16string dkpListFolder(std::u16string_view gameFolder) {
    return gamePath(gameFolder, u"Interface/AddOns/TALLYRA/MerDKP/");
}

std::u16string dkpListFile(std::u16string_view gameFolder) {
    return gamePath(gameFolder, u"Interface/AddOns/TALLYRA/MerDKP/dkp_list.lua");
}

std::u16string standaloneAddonFolder(std::u16string_view gameFolder, std::u16string_view addon) {
    return gamePath(gameFolder, joined(u"Interface/AddOns/", addon));
}

std::u16string standaloneAddonsBackupFolder(std::u16string_view gameFolder) {
    return gamePath(gameFolder, u"Interface/TALLYRA_AUTO_BACK");
}

std::u16string taiwanClientMarker(std::u16string_view gameFolder) {
    return gamePath(gameFolder, u"Data/zhTW/realmlist.wtf");
}

} // namespace gamefolder
