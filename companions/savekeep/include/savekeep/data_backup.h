#pragma once

#include "savekeep/backup.h"
#include "timer/timer_service.h"

#include <cstddef>
#include <ctime>
#include <string>

namespace savekeep {

// Every interval, copies the addon data file of each account of the game folder (both as
// gamefolder/game_layout.h names them, the accounts the client lists) into the backup folder
// when its content changed since the account's newest backup, keeping at most a bounded number
// of backups per account (the oldest go first). Empty files are not backed up.
class DataBackup final : public IBackup, private timer::ITimerSenseObj {
public:
    static constexpr std::size_t kDefaultMaxPerAccount = 20;
    static constexpr std::uint32_t kDefaultIntervalMs = 10000;

    explicit DataBackup(std::size_t maxPerAccount = kDefaultMaxPerAccount);
    DataBackup(const DataBackup&) = delete;
    DataBackup& operator=(const DataBackup&) = delete;
    ~DataBackup();

    bool restore(const std::string& data, const std::u16string& target) override;
    void getRecords(std::vector<BackupRecord>& records) override;
    void setInterval(std::uint32_t intervalMs) override;
    void setGameFolder(const std::u16string& gameFolder) override;
    void setBackupFolder(const std::u16string& backupFolder) override;
    void setTimer(timer::ITimerService* timer) override;

    // One backup round, as the timer runs it, with `now` naming the new copies.
    void backupRound(std::time_t now);
    std::uint32_t interval() const { return intervalMs_; }

private:
    void OnTimer() override;

    std::u16string gameFolder_;
    std::u16string backupFolder_;
    std::size_t maxPerAccount_;
    std::uint32_t intervalMs_ = kDefaultIntervalMs;
    timer::ITimerService* timer_ = nullptr;
};

} // namespace savekeep
