#include "gamefiles/error_correction.h"

#include "gamefiles/addon_backup.h"
#include "gamefiles/folder_move.h"
#include "gamefolder/game_layout.h"
#include "utilkit/ufile.h"

namespace gamefiles {

Correction correctAddonErrors(IMessageOwner& owner, std::u16string_view gameFolder) {
    if (gameFolder.empty()) {
        owner.showWarning(kNoticeCaption, kCorrectionNoGameFolder);
        return Correction::NoGameFolder;
    }
    if (!owner.askQuestion(kNoticeCaption, kCorrectionQuestion))
        return Correction::Declined;
    const std::u16string accounts = gamefolder::accountsFolder(gameFolder);
    Correction result = Correction::NoAccountFolder;
    if (ufile::isFolder(accounts)) {
        const FolderMove move =
            moveFolderAside(accounts, gamefolder::accountsBackupFolder(gameFolder));
        backupStandaloneAddons(gameFolder);
        result = move == FolderMove::CopyFailed ? Correction::BackupFailed : Correction::Corrected;
    }
    if (result == Correction::BackupFailed)
        owner.showWarning(kNoticeCaption, kCorrectionCopyFailed);
    else
        owner.showInformation(kNoticeCaption, kCorrectionDone);
    return result;
}

} // namespace gamefiles
