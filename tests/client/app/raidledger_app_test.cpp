#include "app/raidledger_app.h"

#include "config/config_store.h"
#include "config/ledgerward_keys.h"
#include "gamefiles/dkp_list.h"
#include "gamefiles/game_folder.h"
#include "savekeep/data_backup.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/modal_dialogs.h"
#include "testsupport/site_process.h"
#include "testsupport/temporary_folder.h"
#include "ui/clogindlg.h"
#include "ui/cmainframe.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Runs the application's start-up and shut-down in a folder of its own, as the current
// directory too, with the reference site's address in its deployment settings.
class RaidledgerAppTest : public testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(folder_.path());
        setenv("XDG_CONFIG_HOME", folder_.path().c_str(), 1);
        setenv("WINEPREFIX", (folder_.path() / "wine").c_str(), 1);
    }
    void TearDown() override {
        fs::current_path(previous_);
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("WINEPREFIX");
    }

    void writeDeployment(const testsupport::SiteProcess& site) {
        ASSERT_TRUE(ufile::WriteFileData(folder_.folder() + u"deployment.ini",
                                         "site_url = " + site.url() +
                                             "\nsite_host = " + site.host() + "\n"));
    }
    void storeSettings(const std::u16string& gameFolder, const std::u16string& guildUrl) {
        config::ConfigStore store(folder_.folder());
        config::PropertyBag* section = store.load(config::ledgerward::SectionName);
        section->set_wstring(config::ledgerward::WowFolder, gameFolder);
        section->set_wstring(config::ledgerward::GuildUrl, guildUrl);
        section->commit();
        store.destroy(section);
    }

    template <typename Done> static bool runEventsUntil(Done done) {
        QDeadlineTimer bound(30000);
        while (!done() && !bound.hasExpired())
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    testsupport::TemporaryFolder folder_;
    fs::path previous_;
    testsupport::RecordingPrompter prompter_;
    testsupport::FakeDesktop desktop_;
};

TEST_F(RaidledgerAppTest, ACancelledLoginEndsWithoutAMainWindow) {
    fs::create_directory("Temp");
    ASSERT_TRUE(ufile::WriteFileData(u"Temp/kept.txt", "kept"));
    bool sawLogin = false;
    testsupport::ModalWatcher watcher([&](QDialog* dialog) {
        sawLogin = qobject_cast<ui::CLoginDlg*>(dialog) != nullptr;
        dialog->reject();
    });
    {
        app::RaidledgerApp app(folder_.folder(), {prompter_, desktop_});
        EXPECT_FALSE(app.initInstance());
        EXPECT_TRUE(sawLogin);
        EXPECT_EQ(app.mainWindow(), nullptr);
        EXPECT_NE(app.configSection(), nullptr);
        EXPECT_NE(app.protocolManager(), nullptr);
    }
    EXPECT_TRUE(prompter_.messages.empty());
    EXPECT_TRUE(fs::exists(folder_.path() / "config.cfg"));
    EXPECT_TRUE(fs::exists("Temp/kept.txt"));
}

// Without the game's record of an installation, the folder the user chose is the only game
// folder there is: the backups must be of its accounts from the start, before any login.
TEST_F(RaidledgerAppTest, TheBackupsAreOfTheConfiguredGameFolderFromTheStart) {
    testsupport::TemporaryFolder game;
    ASSERT_TRUE(ufile::WriteFileData(game.folder() + u"WoW.exe", "MZ"));
    const std::u16string data = game.folder() + u"WTF/Account/ALICE/SavedVariables/TALLYRA.lua";
    fs::create_directories(fs::path(ufile::toNativePath(data)).parent_path());
    ASSERT_TRUE(ufile::WriteFileData(data, "CT_RaidTracker_RaidLog = {}\n"));
    ASSERT_TRUE(ufile::WriteFileData(game.folder() + u"WTF/Account/ALICE/SavedVariables.lua", ""));
    storeSettings(game.folder(), u"");

    testsupport::ModalWatcher watcher([](QDialog* dialog) {
        auto* backup = dynamic_cast<savekeep::DataBackup*>(savekeep::getBackup());
        ASSERT_NE(backup, nullptr);
        backup->backupRound(std::time(nullptr)); // the round its timer would run
        dialog->reject();
    });
    app::RaidledgerApp app(folder_.folder(), {prompter_, desktop_});
    EXPECT_FALSE(app.initInstance());
    ASSERT_EQ(watcher.seen(), 1);
    ASSERT_TRUE(fs::is_directory(folder_.path() / "Backup/ALICE"));
    std::vector<fs::path> copies;
    for (const auto& entry : fs::directory_iterator(folder_.path() / "Backup/ALICE"))
        copies.push_back(entry.path());
    ASSERT_EQ(copies.size(), 1u);
    std::string copied;
    ASSERT_TRUE(ufile::ReadFileData(ufile::fromNativePath(copies[0].native()), copied));
    EXPECT_EQ(copied, "CT_RaidTracker_RaidLog = {}\n");
}

TEST_F(RaidledgerAppTest, CreatesTheTempFolderInTheCurrentDirectory) {
    testsupport::ModalWatcher watcher;
    app::RaidledgerApp app(folder_.folder(), {prompter_, desktop_});
    app.initInstance();
    EXPECT_TRUE(fs::is_directory("Temp"));
}

TEST_F(RaidledgerAppTest, AfterLoginTheMainWindowFetchesAndWritesTheGuildList) {
    testsupport::SiteProcess site(folder_.path("site.db"), {"--demo"});
    ASSERT_FALSE(site.url().empty());
    writeDeployment(site);
    testsupport::TemporaryFolder game;
    ASSERT_TRUE(ufile::WriteFileData(game.folder() + u"WoW.exe", "MZ"));
    fs::create_directories(game.path() / "Interface/AddOns/TALLYRA/MerDKP"); // addon installed
    storeSettings(game.folder(), ustring::fromUtf8(site.url() + "/adpt_dkp"));

    testsupport::ModalWatcher watcher([](QDialog* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("ctl1001"))->setText(QStringLiteral("Demo"));
        dialog->findChild<QLineEdit*>(QStringLiteral("ctl1002"))->setText(QStringLiteral("demo"));
        dialog->findChild<QPushButton*>(QStringLiteral("unit60015"))->click();
    });
    app::RaidledgerApp app(folder_.folder(), {prompter_, desktop_});
    ASSERT_TRUE(app.initInstance());
    ui::CMainFrame* frame = app.mainWindow();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("VelvaneDKP"));

    auto* download = frame->findChild<QPushButton*>(QStringLiteral("unit10020"));
    auto* status = frame->findChild<QLabel*>(QStringLiteral("unit10015"));
    const std::u16string listFile = gamefiles::getDkpListFile(game.folder());
    // Until the guild's list arrives, the installed addon holds an empty one.
    ASSERT_TRUE(runEventsUntil([&] {
        std::string text;
        return ufile::ReadFileData(listFile, text) && text.find("MerDKP_Table") != text.npos;
    }));
    ASSERT_TRUE(runEventsUntil([&] { return download->isEnabled(); }));
    std::string list;
    ASSERT_TRUE(ufile::ReadFileData(listFile, list));
    EXPECT_NE(list.find("MerDKP_Table"), std::string::npos);
    EXPECT_EQ(status->text().toStdU16String(),
              gamefiles::getUpdateTimeText(ustring::fromUtf8(list)));
    EXPECT_FALSE(status->text().isEmpty());
    EXPECT_EQ(watcher.seen(), 1); // the login only: no settings dialog
    EXPECT_TRUE(prompter_.messages.empty());
}

} // namespace
