#include "gamefiles/restore_operations.h"

#include "gamefiles/game_folder.h"
#include "utilkit/ufile.h"

namespace gamefiles {

std::vector<savekeep::BackupRecord> listBackupRecords(savekeep::IBackup& backup) {
    std::vector<savekeep::BackupRecord> records;
    backup.getRecords(records);
    return records;
}

std::vector<std::u16string> backupFileNames(const savekeep::BackupRecord& record) {
    std::vector<std::u16string> names;
    for (auto file = record.files.rbegin(); file != record.files.rend(); ++file)
        names.push_back(ufile::GetFileNameFromPath(*file));
    return names;
}

std::u16string chooseBackupFile(const std::vector<savekeep::BackupRecord>& records,
                                int accountIndex, int shownIndex) {
    if (accountIndex < 0 || static_cast<std::size_t>(accountIndex) >= records.size())
        return {};
    const auto& files = records[static_cast<std::size_t>(accountIndex)].files;
    if (shownIndex < 0 || static_cast<std::size_t>(shownIndex) >= files.size())
        return {};
    return files[files.size() - 1 - static_cast<std::size_t>(shownIndex)];
}

std::u16string restoreTargetFile(std::u16string_view gameFolder, std::u16string_view account) {
    if (account.empty())
        return {};
    return getAddonDataFile(gameFolder, account);
}

std::u16string restoreTargetFile(std::u16string_view account) {
    return restoreTargetFile(getGameFolder(), account);
}

RestoreOutcome restoreBackup(savekeep::IBackup& backup, int accountIndex, int shownIndex,
                             std::u16string_view targetFile) {
    if (targetFile.empty())
        return RestoreOutcome::NoTarget;
    const std::u16string chosen =
        chooseBackupFile(listBackupRecords(backup), accountIndex, shownIndex);
    if (chosen.empty())
        return RestoreOutcome::NoBackupChosen;
    std::string bytes;
    if (!ufile::ReadFileData(chosen, bytes) || bytes.empty())
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
