// The restore-data dialog over a stand-in backup object and real backup files.
#include "testsupport/fake_backup.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/fake_site_services.h"
#include "testsupport/qstring_print.h"
#include "testsupport/temporary_folder.h"

#include "gamefiles/game_folder.h"
#include "savekeep/backup.h"
#include "ui/crestoredatadlg.h"
#include "ui/crestoredatadlg_ids.h"
#include "ui/unitnames.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class RestoreData : public testing::Test {
protected:
    RestoreData() : gameFolder(folder(u"game/")) {}

    std::u16string folder(const std::u16string& relative) {
        const std::u16string path = dir.folder() + relative;
        QDir().mkpath(QString::fromStdU16String(path));
        return path;
    }
    // A backup file holding its own name.
    std::u16string backupFile(const std::u16string& account, const std::u16string& name) {
        const std::u16string path = folder(u"Backup/" + account + u"/") + name;
        ufile::WriteFileData(path, ustring::toUtf8(name));
        return path;
    }
    static QStringList items(QComboBox* box) {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }
    static void clickRestore(ui::CRestoreDataDlg& dialog) {
        dialog.findChild<QPushButton*>(ui::controlName(ui::restoredatadlgids::Restore))->click();
    }

    const testsupport::TemporaryFolder dir;
    gamefiles::GameFolder gameFolder;
    testsupport::FakeBackup backup;
    testsupport::RecordingPrompter prompter;
    testsupport::FakeDesktop desktop;
};

TEST_F(RestoreData, ShowsBackupsNewestFirstAndRestoresTheChosenOne) {
    backup.records = {{u"ACCOUNT",
                       {backupFile(u"ACCOUNT", u"X.lua"), backupFile(u"ACCOUNT", u"Y.lua"),
                        backupFile(u"ACCOUNT", u"Z.lua")}}};
    ui::CRestoreDataDlg dialog({prompter, desktop}, backup, gameFolder);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "恢复VelvaneDKP插件数据");
    EXPECT_EQ(items(dialog.accountList()), (QStringList{"ACCOUNT"}));
    EXPECT_EQ(items(dialog.backupList()), (QStringList{"Z.lua", "Y.lua", "X.lua"}));
    EXPECT_EQ(dialog.backupList()->currentIndex(), 0);
    const std::u16string target =
        gameFolder.current() + u"WTF/Account/ACCOUNT/SavedVariables/TALLYRA.lua";
    EXPECT_EQ(dialog.targetField()->text().toStdU16String(), target);
    EXPECT_TRUE(dialog.targetField()->isReadOnly());

    dialog.backupList()->setCurrentIndex(1);
    clickRestore(dialog);
    ASSERT_EQ(backup.restored.size(), 1u);
    EXPECT_EQ(backup.restored[0].first, "Y.lua");
    EXPECT_EQ(backup.restored[0].second, target);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "VelvaneDKP插件数据已经成功恢复！");
    EXPECT_EQ(prompter.messages[0].icon, ui::MessageIcon::None);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(RestoreData, SwitchingAccountsLeavesNoStaleBackups) {
    backup.records = {{u"FIRST",
                       {backupFile(u"FIRST", u"a1.lua"), backupFile(u"FIRST", u"a2.lua"),
                        backupFile(u"FIRST", u"a3.lua")}},
                      {u"SECOND", {backupFile(u"SECOND", u"b1.lua")}},
                      {u"THIRD", {}}};
    ui::CRestoreDataDlg dialog({prompter, desktop}, backup, gameFolder);
    dialog.accountList()->setCurrentIndex(1);
    EXPECT_EQ(items(dialog.backupList()), (QStringList{"b1.lua"}));
    EXPECT_TRUE(
        dialog.targetField()->text().endsWith("WTF/Account/SECOND/SavedVariables/TALLYRA.lua"));
    dialog.accountList()->setCurrentIndex(2);
    EXPECT_TRUE(items(dialog.backupList()).isEmpty());
    EXPECT_TRUE(dialog.targetField()->text().contains("THIRD"));
}

TEST_F(RestoreData, AnAccountWithoutBackupsRestoresNothingAndSaysSo) {
    backup.records = {{u"EMPTY", {}}};
    ui::CRestoreDataDlg dialog({prompter, desktop}, backup, gameFolder);
    dialog.show();
    clickRestore(dialog);
    EXPECT_TRUE(backup.restored.empty());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_FALSE(prompter.messages[0].text.contains("成功"));
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(RestoreData, NoAccountsOrNoGameFolderMeansNoTarget) {
    ui::CRestoreDataDlg noAccounts({prompter, desktop}, backup, gameFolder);
    noAccounts.show();
    EXPECT_TRUE(noAccounts.targetField()->text().isEmpty());
    clickRestore(noAccounts);

    // No configured folder and a Wine prefix without the game's record: no game folder.
    gameFolder.setConfigured(u"");
    qputenv("WINEPREFIX", QString::fromStdU16String(folder(u"prefix/")).toUtf8());
    backup.records = {{u"ACCOUNT", {backupFile(u"ACCOUNT", u"X.lua")}}};
    ui::CRestoreDataDlg noFolder({prompter, desktop}, backup, gameFolder);
    noFolder.show();
    EXPECT_TRUE(noFolder.targetField()->text().isEmpty());
    clickRestore(noFolder);
    qunsetenv("WINEPREFIX");

    ASSERT_EQ(prompter.messages.size(), 2u);
    for (const auto& message : prompter.messages)
        EXPECT_EQ(message.text, "无法定位您的WOW安装目录，不能恢复数据！");
    EXPECT_TRUE(backup.restored.empty());
    EXPECT_TRUE(noAccounts.isVisible());
}

TEST_F(RestoreData, ARefusedRestoreKeepsTheDialogOpen) {
    backup.records = {{u"ACCOUNT", {backupFile(u"ACCOUNT", u"X.lua")}}};
    backup.accept = false;
    ui::CRestoreDataDlg dialog({prompter, desktop}, backup, gameFolder);
    dialog.show();
    clickRestore(dialog);
    ASSERT_EQ(backup.restored.size(), 1u);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "无法打开您选择的角色存档文件，使用数据恢复功能之前请先登录相应的游戏角色！");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST_F(RestoreData, AnUnreadableBackupIsNotWrittenOverTheAccountsData) {
    backup.records = {{u"ACCOUNT", {dir.folder() + u"Backup/missing.lua"}}};
    ui::CRestoreDataDlg dialog({prompter, desktop}, backup, gameFolder);
    dialog.show();
    clickRestore(dialog);
    EXPECT_TRUE(backup.restored.empty());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(dialog.isVisible());
}

// The backup object adds copies, and accounts, while the dialog is open: the restore writes
// exactly the file whose row the user chose, never what a fresh list has at that position.
TEST_F(RestoreData, RestoresTheFileTheUserSawWhateverTheBackupObjectAddedMeanwhile) {
    const std::u16string seen = backupFile(u"BOB", u"TALLYRA_1.lua");
    backup.records = {{u"BOB", {backupFile(u"BOB", u"TALLYRA_0.lua"), seen}}};
    ui::CRestoreDataDlg dialog({prompter, desktop}, backup, gameFolder);
    dialog.show();
    ASSERT_EQ(items(dialog.backupList()), (QStringList{"TALLYRA_1.lua", "TALLYRA_0.lua"}));
    const QString target = dialog.targetField()->text();

    backup.records = {
        {u"ALICE", {backupFile(u"ALICE", u"TALLYRA_9.lua")}},
        {u"BOB",
         {backupFile(u"BOB", u"TALLYRA_0.lua"), seen, backupFile(u"BOB", u"TALLYRA_2.lua")}}};
    clickRestore(dialog);
    ASSERT_EQ(backup.restored.size(), 1u);
    EXPECT_EQ(backup.restored[0].first, "TALLYRA_1.lua");
    EXPECT_EQ(QString::fromStdU16String(backup.restored[0].second), target);
    EXPECT_TRUE(target.contains("/BOB/"));
}

TEST_F(RestoreData, SwitchingAccountsFollowsTheNameNotThePosition) {
    backup.records = {{u"BOB", {backupFile(u"BOB", u"b.lua")}},
                      {u"CAROL", {backupFile(u"CAROL", u"c.lua")}}};
    ui::CRestoreDataDlg dialog({prompter, desktop}, backup, gameFolder);
    backup.records.insert(backup.records.begin(), {u"ALICE", {backupFile(u"ALICE", u"a.lua")}});
    dialog.accountList()->setCurrentIndex(1);
    EXPECT_EQ(items(dialog.backupList()), (QStringList{"c.lua"}));
    clickRestore(dialog);
    ASSERT_EQ(backup.restored.size(), 1u);
    EXPECT_EQ(backup.restored[0].first, "c.lua");
    EXPECT_TRUE(QString::fromStdU16String(backup.restored[0].second).contains("/CAROL/"));
}

TEST_F(RestoreData, ABackupThatVanishedIsRefusedAndTheListIsShownAnew) {
    const std::u16string dropped = backupFile(u"BOB", u"old.lua");
    const std::u16string kept = backupFile(u"BOB", u"new.lua");
    backup.records = {{u"BOB", {kept, dropped}}};
    ui::CRestoreDataDlg dialog({prompter, desktop}, backup, gameFolder);
    dialog.show();
    ASSERT_EQ(dialog.backupList()->currentText(), "old.lua");
    QFile::remove(QString::fromStdU16String(dropped));
    backup.records = {{u"BOB", {kept}}};
    clickRestore(dialog);
    EXPECT_TRUE(backup.restored.empty());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "您选择的备份文件已经不存在，请重新选择要恢复的备份文件！");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(items(dialog.backupList()), (QStringList{"new.lua"}));
}

} // namespace
