#pragma once

#include "savekeep/backup.h"

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace savekeep {

// The backup files on disk: "<backup folder>/<account>/TALLYRA_<yyyymmdd>_<hhmmss>.lua" in
// local time, "..._2.lua" and so on for more copies within one second. Other files in these
// folders are neither listed nor removed.
class BackupStore {
public:
    BackupStore(std::u16string backupFolder, std::size_t maxPerAccount);

    // Stores `data` as a new backup of `account` unless its newest backup holds the same bytes,
    // then drops the oldest backups beyond the bound. False when a new copy was due and could
    // not be written.
    bool keep(std::u16string_view account, std::string_view data, std::time_t now) const;

    // The account's backup files, oldest first.
    std::vector<std::u16string> files(std::u16string_view account) const;
    // Every account folder with at least one backup, by name.
    std::vector<BackupRecord> records() const;

private:
    std::u16string accountFolder(std::u16string_view account) const;
    void dropBeyondBound(std::u16string_view account) const;

    std::u16string backupFolder_;
    std::size_t maxPerAccount_;
};

} // namespace savekeep
