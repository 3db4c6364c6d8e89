#pragma once

#include "savekeep/backup.h"

#include <string>
#include <string_view>
#include <vector>

// What the restore-data dialog does with the backup object: list the backups of each account,
// show an account's backup files newest first, and restore the chosen one over the account's
// addon data file.
namespace gamefiles {

inline constexpr std::u16string_view kRestoreNoGameFolder =
    u"无法定位您的WOW安装目录，不能恢复数据！";
inline constexpr std::u16string_view kRestoreRefused =
    u"无法打开您选择的角色存档文件，使用数据恢复功能之前请先登录相应的游戏角色！";
inline constexpr std::u16string_view kRestoreDone = u"VelvaneDKP插件数据已经成功恢复！";
inline constexpr std::u16string_view kRestoreNoBackupChosen = u"请先选择要恢复的备份文件！";
inline constexpr std::u16string_view kRestoreUnreadable =
    u"无法读取您选择的备份文件，不能恢复数据！";
inline constexpr std::u16string_view kRestoreVanished =
    u"您选择的备份文件已经不存在，请重新选择要恢复的备份文件！";

std::vector<savekeep::BackupRecord> listBackupRecords(savekeep::IBackup& backup);

// The record of `account` among `records`, or null. The backup object adds accounts while the
// dialog is open, so a position in an earlier list can name another account now.
const savekeep::BackupRecord* findBackupRecord(const std::vector<savekeep::BackupRecord>& records,
                                               std::u16string_view account);

// The record's files in the order of the backup file list, the last file first.
std::vector<std::u16string> shownBackupFiles(const savekeep::BackupRecord& record);
// Their names (last path component), in the same order.
std::vector<std::u16string> backupFileNames(const savekeep::BackupRecord& record);

// The file a restore for `account` writes: its addon data file in the game folder; empty for
// an empty account.
std::u16string restoreTargetFile(std::u16string_view gameFolder, std::u16string_view account);

enum class RestoreOutcome {
    NoTarget,       // the target field is empty: the game folder is not known
    NoBackupChosen, // no account or no backup file is selected
    Vanished,       // the chosen backup file is gone (dropped or removed); nothing was written
    Unreadable,     // the chosen backup file could not be read; nothing was written
    Refused,        // the backup object could not write the target
    Restored,
};

// Restores exactly `chosenFile`, the backup file the user saw and chose (empty for none), over
// `targetFile`.
RestoreOutcome restoreBackup(savekeep::IBackup& backup, std::u16string_view chosenFile,
                             std::u16string_view targetFile);

// The message the dialog shows for an outcome.
std::u16string_view restoreMessage(RestoreOutcome outcome);

} // namespace gamefiles
