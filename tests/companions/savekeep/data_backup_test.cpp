#include "savekeep/data_backup.h"

#include "gamefiles/game_folder.h"
#include "testsupport/temporary_folder.h"
#include "utilkit/ufile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using savekeep::BackupRecord;
using savekeep::DataBackup;

namespace {

// Remembers the listeners registered with it; `fire` plays the part of the running timer.
class FakeTimer : public timer::ITimerService {
public:
    void registerListener(timer::ITimerSenseObj* listener, std::uint32_t periodMs) override {
        this->listener = listener;
        period = periodMs;
        ++registrations;
    }
    void unregisterListener(timer::ITimerSenseObj* listener) override {
        if (this->listener == listener)
            this->listener = nullptr;
    }
    void fire() const { listener->OnTimer(); }

    timer::ITimerSenseObj* listener = nullptr;
    std::uint32_t period = 0;
    int registrations = 0;
};

constexpr std::time_t kNoon = 1181275200; // 2007-06-08 12:00:00 in Shanghai

class Backups : public testing::Test {
protected:
    void SetUp() override {
        backup_.setGameFolder(folder() + u"WoW/");
        backup_.setBackupFolder(folder() + u"Backup");
    }

    std::u16string folder() const { return folder_.folder(); }
    void write(const std::string& relative, const std::string& bytes) const {
        folder_.write(relative, bytes);
    }
    std::string read(const std::u16string& path) const {
        std::string bytes;
        ufile::ReadFileData(path, bytes);
        return bytes;
    }
    // An account of the game (its folder holds the game's own saved variables) with the
    // addon's data.
    void saveAddonData(const std::string& account, const std::string& bytes) const {
        write("WoW/WTF/Account/" + account + "/SavedVariables.lua", "-- game");
        write("WoW/WTF/Account/" + account + "/SavedVariables/TALLYRA.lua", bytes);
    }
    std::vector<BackupRecord> records() {
        std::vector<BackupRecord> list{{u"stale", {}}};
        backup_.getRecords(list);
        return list;
    }
    std::vector<std::u16string> filesOf(std::u16string_view account) {
        for (const auto& record : records())
            if (record.account == account)
                return record.files;
        return {};
    }

    const testsupport::TemporaryFolder folder_{"rl_savekeep"};
    const fs::path root_ = folder_.path();
    DataBackup backup_{3};
};

TEST_F(Backups, ChangedFileGetsANewCopyAndAnUnchangedOneDoesNot) {
    saveAddonData("ALICE", "raid one");
    backup_.backupRound(kNoon);
    backup_.backupRound(kNoon + 10);
    ASSERT_EQ(filesOf(u"ALICE"),
              std::vector<std::u16string>{folder() + u"Backup/ALICE/TALLYRA_20070608_120000.lua"});
    saveAddonData("ALICE", "raid one and two");
    backup_.backupRound(kNoon + 20);
    const auto files = filesOf(u"ALICE");
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(read(files[0]), "raid one");
    EXPECT_EQ(read(files[1]), "raid one and two");
    EXPECT_EQ(ufile::GetFileNameFromPath(files[1]), u"TALLYRA_20070608_120020.lua");
}

TEST_F(Backups, BoundDropsTheOldestAndKeepsForeignFiles) {
    write("Backup/ALICE/notes.txt", "mine");
    for (int round = 0; round < 5; ++round) {
        saveAddonData("ALICE", "state " + std::to_string(round));
        backup_.backupRound(kNoon); // one second for all: sequence numbers order them
    }
    const auto files = filesOf(u"ALICE");
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(read(files[0]), "state 2");
    EXPECT_EQ(read(files[1]), "state 3");
    EXPECT_EQ(read(files[2]), "state 4");
    EXPECT_EQ(ufile::GetFileNameFromPath(files[2]), u"TALLYRA_20070608_120000_5.lua");
    EXPECT_EQ(read(folder() + u"Backup/ALICE/notes.txt"), "mine");
}

TEST_F(Backups, RecordsListAccountsByNameWithFilesOldestFirst) {
    saveAddonData("BOB", "bob");
    saveAddonData("ALICE", "alice");
    saveAddonData("CAROL", ""); // nothing worth keeping
    write("WoW/WTF/Account/DAVE/SavedVariables.lua", "no addon data");
    backup_.backupRound(kNoon);
    const auto list = records();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].account, u"ALICE");
    EXPECT_EQ(list[1].account, u"BOB");
    EXPECT_EQ(read(list[1].files.at(0)), "bob");
}

// The restore dialog offers the backups' accounts and the upload wizard the client's accounts:
// both are the accounts of the game folder, whatever else lies under "WTF/Account/".
TEST_F(Backups, KeepsTheAccountsTheClientListsAndNoOtherFolder) {
    saveAddonData("ALICE", "alice");
    write("WoW/WTF/Account/BOB/SavedVariables/TALLYRA.lua",
          "a folder the game never logged out of");
    write("WoW/WTF/Account/CAROL/savedvariables.lua", "-- game, spelt by Wine");
    write("WoW/WTF/Account/CAROL/SavedVariables/TALLYRA.lua", "carol");
    write("WoW/WTF/Account/DAVE/Realm/SavedVariables.lua", "-- a character's, not the account's");
    write("WoW/WTF/Account/DAVE/SavedVariables/TALLYRA.lua", "dave");
    write("WoW/WTF/Account/EVE.lua", "a file");
    backup_.backupRound(kNoon);

    std::vector<std::u16string> listed;
    gamefiles::getAccounts(folder() + u"WoW/", listed);
    std::sort(listed.begin(), listed.end());
    std::vector<std::u16string> kept;
    for (const BackupRecord& record : records())
        kept.push_back(record.account);
    EXPECT_EQ(kept, listed);
    EXPECT_EQ(kept, (std::vector<std::u16string>{u"ALICE", u"CAROL"}));
}

TEST_F(Backups, NothingIsListedOrKeptWithoutFolders) {
    DataBackup unset;
    saveAddonData("ALICE", "alice");
    unset.backupRound(kNoon);
    std::vector<BackupRecord> list{{u"stale", {}}};
    unset.getRecords(list);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(records().empty());
}

TEST_F(Backups, RestoreToAMissingFolderFailsAndWritesNothing) {
    const std::u16string target = folder() + u"WoW/WTF/Account/NEWBIE/SavedVariables/TALLYRA.lua";
    EXPECT_FALSE(backup_.restore("saved", target));
    EXPECT_FALSE(fs::exists(root_ / "WoW/WTF/Account/NEWBIE"));
    EXPECT_FALSE(backup_.restore("saved", folder() + u"WoW/"));
}

TEST_F(Backups, RestoreWritesTheBytesAndKeepsWhatTheyReplace) {
    saveAddonData("ALICE", "current");
    const std::u16string target = folder() + u"WoW/WTF/Account/ALICE/SavedVariables/TALLYRA.lua";
    EXPECT_TRUE(backup_.restore(std::string("older\0bytes", 11), target));
    EXPECT_EQ(read(target), std::string("older\0bytes", 11));
    const auto files = filesOf(u"ALICE");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(read(files[0]), "current");
    EXPECT_FALSE(backup_.restore("", target)); // empty bytes would wipe the file
    EXPECT_EQ(read(target), std::string("older\0bytes", 11));
}

TEST_F(Backups, TimerRunsTheRoundsWithTheGivenInterval) {
    FakeTimer timer;
    saveAddonData("ALICE", "alice");
    {
        DataBackup backup;
        backup.setGameFolder(folder() + u"WoW/");
        backup.setBackupFolder(folder() + u"Backup/");
        backup.setTimer(&timer);
        EXPECT_EQ(timer.period, DataBackup::kDefaultIntervalMs);
        backup.setInterval(2500);
        EXPECT_EQ(timer.period, 2500u);
        ASSERT_NE(timer.listener, nullptr);
        timer.fire();
        EXPECT_EQ(filesOf(u"ALICE").size(), 1u);
    }
    EXPECT_EQ(timer.listener, nullptr); // a destroyed backup object is never called again
}

TEST(BackupEntry, EveryCallGivesTheSameObject) {
    EXPECT_NE(savekeep::getBackup(), nullptr);
    EXPECT_EQ(savekeep::getBackup(), savekeep::getBackup());
}

} // namespace
