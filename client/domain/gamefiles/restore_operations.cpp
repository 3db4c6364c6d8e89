#include "gamefiles/restore_operations.h"

#include "gamefiles/game_folder.h"
#include "gamefolder/game_layout.h"
#include "utilkit/ufile.h"

namespace gamefiles {

std::vector<savekeep::BackupRecord> listBackupRecords(savekeep::IBackup& backup) {
    std::vector<savekeep::BackupRecord> records;
    backup.getRecords(records);
    return records;
}

const savekeep::BackupRecord* findBackupRecord(const std::vector<savekeep::BackupRecord>& records,
                                               std::u16string_view account) {
    for (const auto& record : records)
        if (record.account == account)
            return &record;
    return nullptr;
}

std::vector<std::u16string> shownBackupFiles(const savekeep::BackupRecord& record) {
    return {record.files.rbegin(), record.files.rend()};
}

std::vector<std::u16string> backupFileNames(const savekeep::BackupRecord& record) {
    std::vector<std::u16string> names;
    for (const auto& file : shownBackupFiles(record))
        names.push_back(ufile::GetFileNameFromPath(file));
    return names;
}

std::u16string restoreTargetFile(std::u16string_view gameFolder, std::u16string_view account) {
    if (account.empty())
        return {};
    return getAddonDataFile(gameFolder, account);
}

RestoreOutcome restoreBackup(savekeep::IBackup& backup, std::u16string_view chosenFile,
                             std::u16string_view targetFile) {
    if (targetFile.empty())
        return RestoreOutcome::NoTarget;
    if (chosenFile.empty())
        return RestoreOutcome::NoBackupChosen;
    if (!gamefolder::pathExists(chosenFile))
        return RestoreOutcome::Vanished;
    std::string bytes;
    if (!ufile::ReadFileData(std::u16string(chosenFile), bytes) || bytes.empty())
        return RestoreOutcome::Unreadable;
    return backup.restore(bytes, std::u16string(targetFile)) ? RestoreOutcome::Restored
                                                             : RestoreOutcome::Refused;
}

std::u16string_view restoreMessage(RestoreOutcome outcome) {
    switch (outcome) {
    case RestoreOutcome::NoTarget:
        return kRestoreNoGameFolder;
    case RestoreOutcome::NoBackupChosen:
        return kRestoreNoBackupChosen;
    case RestoreOutcome::Vanished:
        return kRestoreVanished;
    case RestoreOutcome::Unreadable:
        return kRestoreUnreadable;
    case RestoreOutcome::Refused:
        return kRestoreRefused;
    case RestoreOutcome::Restored:
        return kRestoreDone;
    }
    return {};
}

} // namespace gamefiles
