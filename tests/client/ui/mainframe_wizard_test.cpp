// The main window's upload and restore commands start the wizard's windows.
#include "testsupport/fake_backup.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/fake_site_services.h"
#include "testsupport/fake_timer.h"
#include "testsupport/fake_upload_service.h"
#include "testsupport/modal_dialogs.h"
#include "testsupport/qstring_print.h"
#include "testsupport/temporary_folder.h"

#include "gamefiles/game_folder.h"
#include "savekeep/backup.h"
#include "ui/cmainframe.h"
#include "ui/cmainframe_ids.h"
#include "ui/crestoredatadlg.h"

#include <QComboBox>

#include <gtest/gtest.h>

namespace {

// A main window with only the given backup object and upload service.
ui::MainFrameParts partsWith(timer::ITimerService& timer, gamefiles::GameFolder& gameFolder,
                             const ui::DesktopServices& services, savekeep::IBackup* backup,
                             protocol::EventUploadService* uploads) {
    return {.deployment = usettings::Deployment{},
            .programFolder = u"/nonexistent/",
            .timer = timer,
            .gameFolder = gameFolder,
            .services = services,
            .backup = backup,
            .accounts = nullptr,
            .uploads = uploads,
            .guildDkp = nullptr,
            .section = nullptr,
            .skin = nullptr};
}

TEST(MainFrameWizard, RestoreCommandRunsTheRestoreDialogWithTheBackupObject) {
    testsupport::FakeBackup backup;
    backup.records = {{u"ACCOUNT", {u"/backups/ACCOUNT/TALLYRA_20080125_200000.lua"}}};
    testsupport::FakeTimer timer;
    gamefiles::GameFolder gameFolder;
    testsupport::RecordingPrompter prompter;
    testsupport::FakeDesktop desktop;
    ui::CMainFrame frame(partsWith(timer, gameFolder, {prompter, desktop}, &backup, nullptr));
    QString account;
    testsupport::whenShown<ui::CRestoreDataDlg>([&](ui::CRestoreDataDlg* dialog) {
        account = dialog->accountList()->currentText();
        dialog->reject();
    });
    frame.onCommand(ui::mainframeids::Restore);
    EXPECT_EQ(account, "ACCOUNT");
}

TEST(MainFrameWizard, UploadCommandWithoutAccountsEndsAfterTheFolderMessage) {
    const testsupport::TemporaryFolder dir;
    const std::u16string game = dir.folder();
    dir.makeFolder("WTF/Account");
    gamefiles::GameFolder gameFolder(game);
    testsupport::RecordingPrompter prompter;
    testsupport::FakeDesktop desktop;
    testsupport::FakeUploadService uploads;
    testsupport::FakeTimer timer;
    ui::CMainFrame frame(partsWith(timer, gameFolder, {prompter, desktop}, nullptr, &uploads));
    frame.onCommand(ui::mainframeids::Upload);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.startsWith("在" + QString::fromStdU16String(game)));
    EXPECT_TRUE(uploads.sent.empty());
}

} // namespace
