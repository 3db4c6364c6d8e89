#include "gamefiles/addon_backup.h"

#include "gamefiles/folder_move.h"
#include "gamefolder/game_layout.h"
#include "utilkit/ufile.h"

#include <filesystem>

namespace gamefiles {

void backupStandaloneAddons(std::u16string_view gameFolder) {
    if (gameFolder.empty())
        return;
    const std::u16string backupFolder = gamefolder::standaloneAddonsBackupFolder(gameFolder);
    std::error_code error;
    std::filesystem::create_directory(ufile::toNativePath(backupFolder), error);
    for (const std::u16string_view addon : {u"CT_RaidTracker", u"MerDKP"}) {
        const std::u16string source = gamefolder::standaloneAddonFolder(gameFolder, addon);
        moveFolderAside(source, gamefolder::gamePath(backupFolder + u"/", addon));
    }
}

} // namespace gamefiles
