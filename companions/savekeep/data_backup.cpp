#include "savekeep/data_backup.h"

#include "gamefolder/game_layout.h"
#include "savekeep/backup_store.h"
#include "utilkit/ufile.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace savekeep {
namespace {

// The folder that holds `file` (without its trailing "/"), and the name of that folder's own
// folder: for ".../Account/<account>/SavedVariables/TALLYRA.lua" the account.
fs::path folderOf(const std::u16string& file) {
    return fs::path(ufile::toNativePath(file)).parent_path();
}

std::u16string accountOfDataFile(const std::u16string& file) {
    return ufile::fromNativePath(folderOf(file).parent_path().filename().native());
}

} // namespace

DataBackup::DataBackup(std::size_t maxPerAccount) : maxPerAccount_(maxPerAccount) {}

DataBackup::~DataBackup() {
    setTimer(nullptr);
}

bool DataBackup::restore(const std::string& data, const std::u16string& target) {
    if (data.empty() || target.empty() || target.back() == u'/')
        return false;
    std::error_code error;
    const fs::path folder = folderOf(target);
    if (!fs::is_directory(folder.empty() ? fs::path(".") : folder, error))
        return false;
    std::string current;
    if (!backupFolder_.empty() && ufile::ReadFileData(target, current) && !current.empty()) {
        const BackupStore store(backupFolder_, maxPerAccount_);
        if (!store.keep(accountOfDataFile(target), current, std::time(nullptr)))
            return false; // what the file holds now could not be kept: leave it alone
    }
    return ufile::WriteFileData(target, data);
}

void DataBackup::getRecords(std::vector<BackupRecord>& records) {
    records.clear();
    if (!backupFolder_.empty())
        records = BackupStore(backupFolder_, maxPerAccount_).records();
}

void DataBackup::setInterval(std::uint32_t intervalMs) {
    intervalMs_ = intervalMs == 0 ? kDefaultIntervalMs : intervalMs;
    if (timer_ != nullptr)
        timer_->registerListener(this, intervalMs_);
}

void DataBackup::setGameFolder(const std::u16string& gameFolder) {
    gameFolder_ = gameFolder;
}

void DataBackup::setBackupFolder(const std::u16string& backupFolder) {
    backupFolder_ = backupFolder;
}

void DataBackup::setTimer(timer::ITimerService* timer) {
    if (timer_ != nullptr)
        timer_->unregisterListener(this);
    timer_ = timer;
    if (timer_ != nullptr)
        timer_->registerListener(this, intervalMs_);
}

void DataBackup::OnTimer() {
    backupRound(std::time(nullptr));
}

void DataBackup::backupRound(std::time_t now) {
    if (gameFolder_.empty() || backupFolder_.empty())
        return;
    const BackupStore store(backupFolder_, maxPerAccount_);
    for (const std::u16string& account : gamefolder::accounts(gameFolder_)) {
        std::string data;
        if (ufile::ReadFileData(gamefolder::addonDataFile(gameFolder_, account), data) &&
            !data.empty())
            store.keep(account, data, now);
    }
}

} // namespace savekeep
