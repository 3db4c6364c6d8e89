#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace timer {
class ITimerService;
}

namespace savekeep {

// The backups of one game account: the full paths of its backup files, oldest first.
struct BackupRecord {
    std::u16string account;
    std::vector<std::u16string> files;
};

// The backup object. Its operations are called through this table, whose order is fixed.
class IBackup {
public:
    // 1. Writes `data` whole and atomically as the file `target`. False, with nothing written,
    //    when the target's folder does not exist (a character that never logged in has none),
    //    when `data` is empty, or when the file cannot be written. What the target held before
    //    is first kept as a backup of its account.
    virtual bool restore(const std::string& data, const std::u16string& target) = 0;
    // 2. Replaces `records` by one record per account with backups, accounts by name.
    virtual void getRecords(std::vector<BackupRecord>& records) = 0;
    // 3. The time between two backup rounds, in milliseconds (0 is taken as the default).
    virtual void setInterval(std::uint32_t intervalMs) = 0;
    // 4. The game folder (ending in "/") whose accounts are backed up.
    virtual void setGameFolder(const std::u16string& gameFolder) = 0;
    // 5. The folder that holds the backups, one subfolder per account.
    virtual void setBackupFolder(const std::u16string& backupFolder) = 0;
    // 6. The timer that runs the backup rounds; null stops them. Not owned.
    virtual void setTimer(timer::ITimerService* timer) = 0;

protected:
    ~IBackup() = default;
};

// The process-wide backup object; every call returns the same one.
IBackup* getBackup();

} // namespace savekeep
