#include "gamefiles/restore_operations.h"

#include "testsupport/fake_backup.h"
#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

using namespace gamefiles;
using savekeep::BackupRecord;

namespace {

class Restore : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"X.lua", "Y.lua", "Z.lua"})
            backups_.write(std::string("ALICE/") + name, std::string("data ") + name);
        backups_.write("BOB/only.lua", "bob");
        const std::u16string folder = backups_.folder();
        backup_.records = {
            {u"ALICE", {folder + u"ALICE/X.lua", folder + u"ALICE/Y.lua", folder + u"ALICE/Z.lua"}},
            {u"BOB", {folder + u"BOB/only.lua"}},
            {u"CAROL", {}}};
    }

    testsupport::TemporaryFolder backups_;
    testsupport::FakeBackup backup_;
};

TEST_F(Restore, FilesShowNewestFirstAndAreFoundByAccountName) {
    const auto records = listBackupRecords(backup_);
    EXPECT_EQ(backupFileNames(records[0]),
              (std::vector<std::u16string>{u"Z.lua", u"Y.lua", u"X.lua"}));
    EXPECT_EQ(backupFileNames(records[1]), std::vector<std::u16string>{u"only.lua"});
    EXPECT_TRUE(backupFileNames(records[2]).empty());
    const std::u16string folder = backups_.folder();
    EXPECT_EQ(shownBackupFiles(records[0]),
              (std::vector<std::u16string>{folder + u"ALICE/Z.lua", folder + u"ALICE/Y.lua",
                                           folder + u"ALICE/X.lua"}));
    ASSERT_NE(findBackupRecord(records, u"BOB"), nullptr);
    EXPECT_EQ(findBackupRecord(records, u"BOB")->files.size(), 1u);
    EXPECT_EQ(findBackupRecord(records, u"bob"), nullptr);
    EXPECT_EQ(findBackupRecord(records, u""), nullptr);
}

TEST_F(Restore, SecondShownEntryRestoresTheMiddleBackupOverTheTarget) {
    const std::u16string target = restoreTargetFile(u"/games/WoW/", u"ALICE");
    EXPECT_EQ(target, u"/games/WoW/WTF/Account/ALICE/SavedVariables/TALLYRA.lua");
    const auto shown = shownBackupFiles(listBackupRecords(backup_)[0]);
    EXPECT_EQ(restoreBackup(backup_, shown[1], target), RestoreOutcome::Restored);
    ASSERT_EQ(backup_.restored.size(), 1u);
    EXPECT_EQ(backup_.restored[0].first, "data Y.lua");
    EXPECT_EQ(backup_.restored[0].second, target);
    EXPECT_EQ(restoreMessage(RestoreOutcome::Restored), u"VelvaneDKP插件数据已经成功恢复！");
}

TEST_F(Restore, RefusalsNeverClaimARestore) {
    EXPECT_EQ(restoreTargetFile(u"/games/WoW/", u""), u"");
    const std::u16string bob = backups_.folder() + u"BOB/only.lua";
    EXPECT_EQ(restoreBackup(backup_, bob, u""), RestoreOutcome::NoTarget);
    EXPECT_EQ(restoreMessage(RestoreOutcome::NoTarget), u"无法定位您的WOW安装目录，不能恢复数据！");
    EXPECT_EQ(restoreBackup(backup_, u"", u"/t.lua"), RestoreOutcome::NoBackupChosen);
    backups_.write("BOB/empty.lua", "");
    EXPECT_EQ(restoreBackup(backup_, backups_.folder() + u"BOB/empty.lua", u"/t.lua"),
              RestoreOutcome::Unreadable);
    std::filesystem::remove(backups_.path("BOB/only.lua"));
    EXPECT_EQ(restoreBackup(backup_, bob, u"/t.lua"), RestoreOutcome::Vanished);
    EXPECT_TRUE(backup_.restored.empty());
    backup_.accept = false;
    EXPECT_EQ(restoreBackup(backup_, backups_.folder() + u"ALICE/X.lua", u"/t.lua"),
              RestoreOutcome::Refused);
    EXPECT_EQ(restoreMessage(RestoreOutcome::Refused),
              u"无法打开您选择的角色存档文件，使用数据恢复功能之前请先登录相应的游戏角色！");
    for (auto outcome :
         {RestoreOutcome::NoTarget, RestoreOutcome::NoBackupChosen, RestoreOutcome::Vanished,
          RestoreOutcome::Unreadable, RestoreOutcome::Refused})
        EXPECT_NE(restoreMessage(outcome), restoreMessage(RestoreOutcome::Restored));
}

} // namespace
