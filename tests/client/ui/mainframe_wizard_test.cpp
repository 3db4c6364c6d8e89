// The main window's upload and restore commands start the wizard's windows.
#include "ui_test_support.h"
#include "wizard_support.h"

#include "gamefiles/game_folder.h"
#include "savekeep/backup.h"
#include "ui/cmainframe.h"
#include "ui/wizard/crestoredatadlg.h"

#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class OneAccountBackup final : public savekeep::IBackup {
public:
    bool restore(const std::string&, const std::u16string&) override { return false; }
    void getRecords(std::vector<savekeep::BackupRecord>& out) override {
        out = {{u"ACCOUNT", {u"/backups/ACCOUNT/TALLYRA_20080125_200000.lua"}}};
    }
    void setInterval(std::uint32_t) override {}
    void setGameFolder(const std::u16string&) override {}
    void setBackupFolder(const std::u16string&) override {}
    void setTimer(ITimerService*) override {}
};

TEST(MainFrameWizard, RestoreCommandRunsTheRestoreDialogWithTheBackupObject) {
    OneAccountBackup backup;
    CMainFrame frame(usettings::Deployment{}, u"/nonexistent/");
    frame.setBackup(&backup);
    QString account;
    wizardtest::whenShown<CRestoreDataDlg>([&](CRestoreDataDlg* dialog) {
        account = dialog->accountList()->currentText();
        dialog->reject();
    });
    frame.onCommand(CMainFrame::Restore);
    EXPECT_EQ(account, "ACCOUNT");
}

TEST(MainFrameWizard, UploadCommandWithoutAccountsEndsAfterTheFolderMessage) {
    QTemporaryDir dir;
    const std::u16string game = dir.path().toStdU16String() + u"/";
    QDir().mkpath(dir.path() + "/WTF/Account");
    gamefiles::setGameFolder(game);
    uitest::RecordingPrompter prompter;
    wizardtest::FakeUploadService uploads;
    CMainFrame frame(usettings::Deployment{}, u"/nonexistent/");
    frame.setUploadService(&uploads);
    frame.onCommand(CMainFrame::Upload);
    gamefiles::setGameFolder(u"");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.startsWith("在" + QString::fromStdU16String(game)));
    EXPECT_TRUE(uploads.sent.empty());
}

} // namespace
