#include "gamefiles/addon_backup.h"

#include "gamefiles/folder_move.h"
#include "gamefiles/game_folder.h"
#include "gamefiles/game_path.h"
#include "utilkit/ufile.h"

#include <filesystem>

namespace gamefiles {

void backupStandaloneAddons(std::u16string_view gameFolder) {
    if (gameFolder.empty())
        return;
    const std::u16string backupFolder = gamePath(gameFolder, u"Interface/TALLYRA_AUTO_BACK");
    std::error_code error;
    std::filesystem::create_directory(ufile::toNativePath(backupFolder), error);
    for (const std::u16string_view addon : {u"CT_RaidTracker", u"MerDKP"}) {
        const std::u16string source =
            gamePath(gameFolder, std::u16string(u"Interface/AddOns/") + std::u16string(addon));
        moveFolderAside(source, gamePath(backupFolder + u"/", addon));
    }
}

void backupStandaloneAddons() {
    backupStandaloneAddons(getGameFolder());
}

} // namespace gamefiles
