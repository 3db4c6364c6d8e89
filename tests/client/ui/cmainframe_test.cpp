#include "ui/cmainframe.h"
#include "ui/cmainframe_ids.h"
#include "ui/cmysetupdlg_ids.h"
#include "ui/unitnames.h"

#include "config/config_store.h"
#include "config/ledgerward_keys.h"
#include "gamefiles/dkp_list.h"
#include "gamefiles/game_folder.h"
#include "testsupport/fake_account_service.h"
#include "testsupport/fake_backup.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/fake_site_services.h"
#include "testsupport/fake_timer.h"
#include "testsupport/modal_dialogs.h"
#include "testsupport/temporary_folder.h"
#include "ui/weblink.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

namespace units = ui::mainframeids;

namespace fs = std::filesystem;

const std::string kList =
    "Mer_DKP_UPDATETIME = \"1181304000000\";\nMerDKP_Table = {\n\t[\"甲\"] = 120,\n}\n";

class MainFrameTest : public testing::Test {
protected:
    void SetUp() override {
        store_ = std::make_unique<config::ConfigStore>(configFolder_.folder());
        section_ = store_->load(config::ledgerward::SectionName);
        deployment_.siteHost = "dkp.example:8080";
        deployment_.oldSiteHost = "dkp.old.example";
        deployment_.forumUrl = "http://forum.example";
        put(game_.folder() + u"WoW.exe", "MZ");
        put(program_.folder() + u"Addonkit/TALLYRA/version.txt", "TALLYRA 2.1");
        put(program_.folder() + u"Addonkit/TALLYRA/TALLYRA.toc", "## Title: TALLYRA");
        put(program_.folder() + u"Addonkit/TALLYRA/MerDKP/MerDKP.lua", "-- reads dkp_list.lua");
        section_->set_wstring(config::ledgerward::WowFolder, game_.folder());
    }
    void TearDown() override {
        frame_.reset();
        store_->destroy(section_);
    }

    static void put(const std::u16string& path, const std::string& bytes) {
        fs::create_directories(fs::path(ufile::toNativePath(path)).parent_path());
        ASSERT_TRUE(ufile::WriteFileData(path, bytes));
    }
    static std::string read(const std::u16string& path) {
        std::string bytes;
        ufile::ReadFileData(path, bytes);
        return bytes;
    }
    bool inGame(const char* relative) const { return fs::exists(game_.path() / relative); }

    ui::MainFrameParts parts() {
        return {.deployment = deployment_,
                .programFolder = program_.folder(),
                .timer = timer_,
                .gameFolder = gameFolder_,
                .services = {prompter_, desktop_},
                .backup = nullptr,
                .accounts = &accounts_,
                .uploads = nullptr,
                .guildDkp = &guildDkp_,
                .section = section_,
                .skin = nullptr};
    }
    void create() {
        frame_ = std::make_unique<ui::CMainFrame>(parts());
        frame_->create();
    }
    QPushButton* button(int unit) { return frame_->findChild<QPushButton*>(ui::unitName(unit)); }
    QString text(int unit) { return frame_->findChild<QLabel*>(ui::unitName(unit))->text(); }
    std::u16string listFile() const { return gamefiles::getDkpListFile(game_.folder()); }
    // With no game folder configured or recorded, the first list arrives and the user chooses
    // the game folder in the settings dialog that it opens; how many dialogs were shown.
    int receiveTheFirstListChoosingTheGameFolder() {
        section_->set_wstring(config::ledgerward::WowFolder, u"");
        setenv("WINEPREFIX", configFolder_.path().c_str(), 1); // no recorded installation
        create();
        testsupport::ModalWatcher watcher(
            settingsChoosing(game_.folder(), "http://dkp.example:8080/adpt_dkp"));
        guildDkp_.listener->onGuildDkpList(kList);
        unsetenv("WINEPREFIX");
        return watcher.seen();
    }
    // Answers the settings dialog with a game folder and a guild address, and accepts it.
    static std::function<void(QDialog*)> settingsChoosing(const std::u16string& gameFolder,
                                                          const char* guildUrl) {
        return [gameFolder, guildUrl](QDialog* dialog) {
            dialog->findChild<QLineEdit*>(ui::controlName(ui::mysetupdlgids::GameFolder))
                ->setText(QString::fromStdU16String(gameFolder));
            dialog->findChild<QLineEdit*>(ui::controlName(ui::mysetupdlgids::GuildUrl))
                ->setText(QString::fromUtf8(guildUrl));
            dialog->findChild<QPushButton*>(ui::controlName(ui::mysetupdlgids::Ok))->click();
        };
    }

    testsupport::TemporaryFolder configFolder_;
    testsupport::TemporaryFolder game_;
    testsupport::TemporaryFolder program_;
    std::unique_ptr<config::ConfigStore> store_;
    config::PropertyBag* section_ = nullptr;
    usettings::Deployment deployment_;
    testsupport::FakeTimer timer_;
    gamefiles::GameFolder gameFolder_;
    testsupport::FakeAccountService accounts_;
    testsupport::FakeGuildDkpService guildDkp_;
    testsupport::RecordingPrompter prompter_;
    testsupport::FakeDesktop desktop_;
    std::unique_ptr<ui::CMainFrame> frame_;
};

TEST_F(MainFrameTest, ShowsItsUnitsWithTheirTexts) {
    create();
    EXPECT_EQ(frame_->windowTitle(), QStringLiteral("VelvaneDKP"));
    EXPECT_EQ(frame_->size(), QSize(788, 487));
    EXPECT_TRUE(frame_->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(text(units::AddonTitle), QStringLiteral("DKP插件信息"));
    EXPECT_EQ(text(units::GuildDkpTitle), QStringLiteral("公会DKP数据信息"));
    EXPECT_EQ(text(units::GuildDkpStatus), QStringLiteral("正在同步公会DKP数据"));
    EXPECT_EQ(button(units::Upload)->text(), QStringLiteral("上传DKP数据"));
    EXPECT_EQ(button(units::Restore)->toolTip(), QStringLiteral("恢复WOW插件数据"));
    EXPECT_EQ(button(units::CorrectErrors)->text(), QStringLiteral("插件错误校正"));
    EXPECT_TRUE(button(units::Upload)->font().bold());
    EXPECT_FALSE(frame_->findChild<QLabel*>(ui::unitName(units::AddonVersion))->font().bold());
}

TEST_F(MainFrameTest, RunsTheMaintenanceAtCreationAndOnTheTimer) {
    put(game_.folder() + u"Interface/AddOns/CT_RaidTracker/CT_RaidTracker.lua", "-- tracker");
    create();
    EXPECT_EQ(gameFolder_.current(), game_.folder());
    EXPECT_FALSE(inGame("Interface/AddOns/CT_RaidTracker"));
    EXPECT_TRUE(inGame("Interface/TALLYRA_AUTO_BACK/CT_RaidTracker/CT_RaidTracker.lua"));
    EXPECT_EQ(read(game_.folder() + u"Interface/AddOns/TALLYRA/version.txt"), "TALLYRA 2.1");
    EXPECT_EQ(text(units::AddonVersion), QStringLiteral("TALLYRA 2.1"));
    EXPECT_TRUE(timer_.isRegistered(frame_.get()));
    EXPECT_EQ(timer_.periods[frame_.get()], ui::CMainFrame::kMaintenancePeriodMs);

    put(game_.folder() + u"Interface/AddOns/MerDKP/MerDKP.lua", "-- merdkp");
    fs::remove_all(game_.path() / "Interface/AddOns/TALLYRA");
    timer_.fire();
    EXPECT_FALSE(inGame("Interface/AddOns/MerDKP"));
    EXPECT_TRUE(inGame("Interface/TALLYRA_AUTO_BACK/MerDKP/MerDKP.lua"));
    EXPECT_TRUE(inGame("Interface/AddOns/TALLYRA/TALLYRA.toc"));

    ui::CMainFrame* const gone = frame_.get();
    frame_.reset();
    EXPECT_FALSE(timer_.isRegistered(gone));
    EXPECT_EQ(accounts_.listener, nullptr);
    EXPECT_EQ(guildDkp_.listener, nullptr);
}

TEST_F(MainFrameTest, AccountReadyRequestsTheListAndTheListIsWrittenOnce) {
    section_->set_wstring(config::ledgerward::GuildUrl, u"http://dkp.old.example/adpt_dkp");
    create();
    testsupport::ModalWatcher watcher;
    accounts_.listener->onAccountReady();
    EXPECT_EQ(watcher.seen(), 0);
    EXPECT_FALSE(button(units::DownloadDkpList)->isEnabled());
    ASSERT_EQ(guildDkp_.requests.size(), 1u);
    EXPECT_EQ(guildDkp_.requests[0].first, "adpt_dkp");
    EXPECT_TRUE(guildDkp_.requests[0].second);

    guildDkp_.listener->onGuildDkpList(kList);
    EXPECT_TRUE(button(units::DownloadDkpList)->isEnabled());
    EXPECT_EQ(read(listFile()), kList);
    EXPECT_EQ(text(units::GuildDkpStatus).toStdU16String(),
              gamefiles::getUpdateTimeText(ustring::fromUtf8(kList)));
    EXPECT_FALSE(text(units::GuildDkpStatus).isEmpty());

    const auto earlier =
        fs::last_write_time(ufile::toNativePath(listFile())) - std::chrono::hours(1);
    fs::last_write_time(ufile::toNativePath(listFile()), earlier);
    guildDkp_.listener->onGuildDkpList(kList);
    EXPECT_EQ(fs::last_write_time(ufile::toNativePath(listFile())), earlier);
}

TEST_F(MainFrameTest, TheDefaultGuildAddressIsUsedWhenNoneIsStored) {
    accounts_.defaultGuild.guildId = u"guild-1";
    accounts_.guilds = {accounts_.defaultGuild};
    accounts_.defaultGuildUrl = u"http://DKP.example:8080/adpt_dkp";
    create();
    testsupport::ModalWatcher watcher;
    accounts_.listener->onAccountReady();
    EXPECT_EQ(watcher.seen(), 0);
    ASSERT_EQ(guildDkp_.requests.size(), 1u);
    EXPECT_EQ(guildDkp_.requests[0].first, ""); // the host's case differs
}

TEST_F(MainFrameTest, OpensTheSettingsOnceForAUserWithoutAGuildChoice) {
    accounts_.guilds = {protocol::GuildEntry{}};
    create();
    testsupport::ModalWatcher watcher;
    accounts_.listener->onAccountReady();
    EXPECT_EQ(watcher.seen(), 1);
    EXPECT_EQ(guildDkp_.requests.size(), 1u);

    // More than one guild asks for a choice as well; a stored address does not.
    accounts_.defaultGuild.guildId = u"guild-1";
    accounts_.guilds = {protocol::GuildEntry{{}, u"guild-1"}, protocol::GuildEntry{{}, u"guild-2"}};
    accounts_.listener->onAccountReady();
    EXPECT_EQ(watcher.seen(), 2);
    section_->set_wstring(config::ledgerward::GuildUrl, u"http://dkp.example:8080/adpt_dkp");
    accounts_.listener->onAccountReady();
    EXPECT_EQ(watcher.seen(), 2);
}

TEST_F(MainFrameTest, AListWithoutAGameFolderAsksForOneAndIsWrittenThere) {
    put(game_.folder() + u"Interface/AddOns/TALLYRA/MerDKP/MerDKP.lua", "-- installed addon");
    EXPECT_EQ(receiveTheFirstListChoosingTheGameFolder(), 1);
    EXPECT_EQ(gameFolder_.current(), game_.folder());
    EXPECT_EQ(read(listFile()), kList);
}

// A user who chooses the game folder only when the first list arrives has no addon there yet:
// the list must not be lost for want of its folder.
TEST_F(MainFrameTest, TheFirstListGoesIntoAGameFolderChosenOnlyWhenItArrived) {
    EXPECT_EQ(receiveTheFirstListChoosingTheGameFolder(), 1);
    EXPECT_TRUE(inGame("Interface/AddOns/TALLYRA/TALLYRA.toc"));
    EXPECT_EQ(read(listFile()), kList);
}

TEST_F(MainFrameTest, TheDownloadCommandAsksAgainAndWaitsForTheList) {
    section_->set_wstring(config::ledgerward::GuildUrl, u"http://dkp.example:8080/adpt_dkp");
    create();
    guildDkp_.listener->onGuildDkpList(kList);
    button(units::DownloadDkpList)->click();
    EXPECT_EQ(text(units::GuildDkpStatus), QStringLiteral("正在同步公会DKP数据"));
    EXPECT_FALSE(button(units::DownloadDkpList)->isEnabled());
    ASSERT_EQ(guildDkp_.requests.size(), 1u);
    EXPECT_EQ(guildDkp_.requests[0].first, "adpt_dkp");
}

TEST_F(MainFrameTest, TheForumCommandAndTheLinksOpenTheirPages) {
    create();
    button(units::Forum)->click();
    frame_->findChild<ui::WebLink*>(ui::unitName(units::ForumBoardLink))->activate();
    ASSERT_EQ(desktop_.openedUrls.size(), 2u);
    EXPECT_EQ(desktop_.openedUrls[0], u"http://forum.example/forum-106-1.html");
    EXPECT_EQ(desktop_.openedUrls[1], u"http://forum.example/forumdisplay.php?fid=106");
}

TEST_F(MainFrameTest, TheErrorCorrectionAsksFirstAndADeclineChangesNothing) {
    put(game_.folder() + u"WTF/Account/DEMO/SavedVariables.lua", "-- game");
    create();
    button(units::CorrectErrors)->click();
    ASSERT_EQ(prompter_.questions.size(), 1u);
    EXPECT_TRUE(prompter_.questions[0].startsWith(QStringLiteral("修正插件错误")));
    EXPECT_TRUE(inGame("WTF/Account/DEMO/SavedVariables.lua"));

    prompter_.answers.push_back(true);
    button(units::CorrectErrors)->click();
    EXPECT_FALSE(inGame("WTF/Account"));
    EXPECT_TRUE(inGame("WTF/Account_backup/DEMO/SavedVariables.lua"));
    ASSERT_FALSE(prompter_.messages.empty());
    EXPECT_EQ(prompter_.messages.back().caption, QStringLiteral("操作提示"));
}

TEST_F(MainFrameTest, TheSettingsCommandTakesUpTheNewGameFolder) {
    section_->set_wstring(config::ledgerward::WowFolder, u"");
    create();
    testsupport::TemporaryFolder other;
    put(other.folder() + u"WoW.exe", "MZ");
    testsupport::ModalWatcher watcher(
        settingsChoosing(other.folder(), "dkp.example:8080/adpt_dkp"));
    button(units::Settings)->click();
    EXPECT_EQ(watcher.seen(), 1);
    EXPECT_EQ(gameFolder_.current(), other.folder());
}

TEST_F(MainFrameTest, TheBackupObjectFollowsTheGameFolderInEffect) {
    testsupport::FakeBackup backup;
    ui::MainFrameParts withBackup = parts();
    withBackup.backup = &backup;
    withBackup.accounts = nullptr;
    withBackup.guildDkp = nullptr;
    frame_ = std::make_unique<ui::CMainFrame>(withBackup);
    frame_->create();
    ASSERT_FALSE(backup.gameFolders.empty());
    EXPECT_EQ(backup.gameFolders.back(), game_.folder());

    testsupport::TemporaryFolder other;
    put(other.folder() + u"WoW.exe", "MZ");
    testsupport::ModalWatcher watcher(
        settingsChoosing(other.folder(), "dkp.example:8080/adpt_dkp"));
    button(units::Settings)->click();
    ASSERT_EQ(watcher.seen(), 1);
    EXPECT_EQ(backup.gameFolders.back(), other.folder());
    frame_->OnTimer();
    EXPECT_EQ(backup.gameFolders.back(), other.folder());
}

TEST_F(MainFrameTest, WithoutAGameFolderTheMaintenanceWritesNothingAnywhere) {
    section_->set_wstring(config::ledgerward::WowFolder, u"");
    setenv("WINEPREFIX", configFolder_.path().c_str(), 1); // no recorded installation
    testsupport::TemporaryFolder current;
    put(current.folder() + u"Interface/AddOns/MerDKP/MerDKP.lua", "-- stand-alone");
    const fs::path previous = fs::current_path();
    fs::current_path(current.path());
    create();
    frame_->OnTimer();
    button(units::CorrectErrors)
        ->click(); // the error correction, too, only says it has no game folder
    fs::current_path(previous);
    unsetenv("WINEPREFIX");
    std::vector<fs::path> entries;
    for (const auto& entry : fs::recursive_directory_iterator(current.path()))
        entries.push_back(entry.path().lexically_relative(current.path()));
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries,
              (std::vector<fs::path>{"Interface", "Interface/AddOns", "Interface/AddOns/MerDKP",
                                     "Interface/AddOns/MerDKP/MerDKP.lua"}));
    EXPECT_TRUE(fs::exists(current.path() / "Interface/AddOns/MerDKP/MerDKP.lua"));
    EXPECT_TRUE(prompter_.questions.empty());
    ASSERT_EQ(prompter_.messages.size(), 1u);
    EXPECT_TRUE(prompter_.messages[0].text.startsWith(QStringLiteral("无法定位您的WOW安装目录")));
}

TEST_F(MainFrameTest, TheHideCommandClosesTheWindow) {
    create();
    frame_->show();
    button(units::Hide)->click();
    EXPECT_FALSE(frame_->isVisible());
}

} // namespace
