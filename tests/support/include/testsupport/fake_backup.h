#pragma once

#include "savekeep/backup.h"

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// Lists the records a test sets, and remembers the restores and game folders it was given;
// a restore succeeds while `accept` holds.
class FakeBackup final : public savekeep::IBackup {
public:
    bool restore(const std::string& data, const std::u16string& target) override {
        restored.emplace_back(data, target);
        return accept;
    }
    void getRecords(std::vector<savekeep::BackupRecord>& out) override { out = records; }
    void setInterval(std::uint32_t) override {}
    void setGameFolder(const std::u16string& folder) override { gameFolders.push_back(folder); }
    void setBackupFolder(const std::u16string&) override {}
    void setTimer(timer::ITimerService*) override {}

    std::vector<savekeep::BackupRecord> records;
    std::vector<std::pair<std::string, std::u16string>> restored;
    std::vector<std::u16string> gameFolders;
    bool accept = true;
};

} // namespace testsupport
