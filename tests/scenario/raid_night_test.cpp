// A raid night as a new user on Linux lives it, with the real program pieces: no Wine registry
// record, the game folder chosen in the settings dialog, the reference site on loopback, the
// shipped addon run by a real Lua.
#include "testsupport/addon_lua.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/modal_dialogs.h"
#include "testsupport/site_process.h"
#include "testsupport/temporary_folder.h"

#include "app/raidledger_app.h"
#include "gamefiles/dkp_list.h"
#include "gamefiles/upload_marks.h"
#include "raidsift.h"
#include "savekeep/backup.h"
#include "store/site_store.h"
#include "ui/clogindlg.h"
#include "ui/clogindlg_ids.h"
#include "ui/cmainframe.h"
#include "ui/cmainframe_ids.h"
#include "ui/cmysetupdlg.h"
#include "ui/cmysetupdlg_ids.h"
#include "ui/crestoredatadlg.h"
#include "ui/crestoredatadlg_ids.h"
#include "ui/unitnames.h"
#include "ui/wizard/ceditraiddlg.h"
#include "ui/wizard/ceventimportdlg.h"
#include "ui/wizard/cselectaccountdlg.h"
#include "ui/wizard/cselectraiddlg.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

namespace fs = std::filesystem;

// Player name → DKP system id → points, as the shipped addon shows them.
using Points = addon_lua::Points;

const char* const kGuild = "晨曦之光";
const char* const kGuildSite = "adpt_dkp";
const char* const kRaidDkp = "团队DKP";
const char* const kNewRaid = "08/02/08 20:00:00(黑暗神殿)"; // the sample log's fourth raid

std::string readFile(const fs::path& path) {
    std::string bytes;
    ufile::ReadFileData(ufile::fromNativePath(path.native()), bytes);
    return bytes;
}

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    ASSERT_TRUE(ufile::WriteFileData(ufile::fromNativePath(path.native()), bytes));
}

template <typename Done> bool runEventsUntil(Done done, int milliseconds = 30000) {
    QDeadlineTimer bound(milliseconds);
    while (!done() && !bound.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

class RaidNight : public testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(current_.path());
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "WINEPREFIX"})
            if (const char* value = std::getenv(name))
                savedEnvironment_[name] = value;
        setenv("HOME", home_.path().c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home_.path() / ".config").c_str(), 1);
        setenv("WINEPREFIX", (home_.path() / ".wine").c_str(), 1); // no prefix at all

        fs::copy(fs::path(RL_BINARY_DIR) / "bin/Addonkit", program_.path() / "Addonkit",
                 fs::copy_options::recursive);
        writeFile(program_.path() / "deployment.ini",
                  "site_url = " + site_.url() + "\nsite_host = " + site_.host() + "\n");
        writeFile(game_.path() / "WoW.exe", "MZ");
        for (const char* account : {"DEMO", "OTHER"})
            writeFile(game_.path() / "WTF/Account" / account / "SavedVariables.lua", "-- game");
        writeFile(otherData(), "CT_RaidTracker_RaidLog = {\n}\n");
    }
    void TearDown() override {
        fs::current_path(previous_);
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "WINEPREFIX"}) {
            const auto saved = savedEnvironment_.find(name);
            if (saved == savedEnvironment_.end())
                unsetenv(name);
            else
                setenv(name, saved->second.c_str(), 1);
        }
    }

    fs::path demoData() const {
        return game_.path() / "WTF/Account/DEMO/SavedVariables/TALLYRA.lua";
    }
    fs::path otherData() const {
        return game_.path() / "WTF/Account/OTHER/SavedVariables/TALLYRA.lua";
    }
    fs::path addonFolder() const { return game_.path() / "Interface/AddOns/TALLYRA"; }
    fs::path listFile() const { return addonFolder() / "MerDKP/dkp_list.lua"; }

    // The guild's standings as the site keeps them, read from its own database.
    Points siteStandings() {
        dkpsite::SiteStore store(siteDatabase_.string());
        Points points;
        const auto guild = store.guildBySite(kGuildSite);
        if (!guild)
            return points;
        for (const dkpsite::SiteDkpSystem& system : guild->systems)
            for (const dkpsite::Standing& standing : store.standings(system.id))
                points[standing.name][system.id] = standing.earned - standing.spent;
        return points;
    }
    std::int64_t raidSystemId() {
        const auto guild = dkpsite::SiteStore(siteDatabase_.string()).guildBySite(kGuildSite);
        for (const dkpsite::SiteDkpSystem& system : guild.value().systems)
            if (system.name == kRaidDkp)
                return system.id;
        return -1;
    }
    // Start-up makes its "Temp" folder in the current folder; nothing else may land there.
    std::vector<fs::path> currentFolderEntries() const {
        std::vector<fs::path> entries;
        for (const auto& entry : fs::recursive_directory_iterator(current_.path()))
            entries.push_back(entry.path().lexically_relative(current_.path()));
        return entries;
    }
    std::vector<fs::path> backupsOf(const char* account) const {
        std::vector<fs::path> copies;
        std::error_code error;
        for (const auto& entry :
             fs::directory_iterator(program_.path() / "Backup" / account, error))
            copies.push_back(entry.path());
        return copies;
    }

    // Answers every dialog the night brings up, as the user would.
    void actAsTheUser(QDialog* dialog) {
        if (qobject_cast<ui::CLoginDlg*>(dialog)) {
            dialog->findChild<QLineEdit*>(ui::controlName(ui::logindlgids::UserNameControl))
                ->setText("demo");
            dialog->findChild<QLineEdit*>(ui::controlName(ui::logindlgids::PasswordControl))
                ->setText("demo");
            dialog->findChild<QPushButton*>(ui::unitName(ui::logindlgids::LoginUnit))->click();
        } else if (qobject_cast<ui::CMySetupDlg*>(dialog)) {
            ++settingsShown_;
            dialog->findChild<QLineEdit*>(ui::controlName(ui::mysetupdlgids::GameFolder))
                ->setText(QString::fromStdU16String(game_.folder()));
            dialog->findChild<QLineEdit*>(ui::controlName(ui::mysetupdlgids::GuildUrl))
                ->setText(QString::fromStdString(site_.url() + "/" + kGuildSite));
            dialog->findChild<QPushButton*>(ui::controlName(ui::mysetupdlgids::Ok))->click();
        } else if (auto* accounts = qobject_cast<ui::CSelectAccountDlg*>(dialog)) {
            const auto found = accounts->accountList()->findItems("DEMO", Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1);
            accounts->accountList()->setCurrentItem(found[0]);
            dialog->findChild<QPushButton*>(QStringLiteral("nextButton"))->click();
        } else if (auto* raids = qobject_cast<ui::CSelectRaidDlg*>(dialog)) {
            // Once uploaded, the raid carries "已上传" after its name.
            const auto found = raids->raidList()->findItems(kNewRaid, Qt::MatchStartsWith);
            ASSERT_EQ(found.size(), 1);
            raids->raidList()->setCurrentItem(found[0]);
            dialog->findChild<QPushButton*>(QStringLiteral("nextButton"))->click();
        } else if (qobject_cast<ui::CEditRaidDlg*>(dialog)) {
            dialog->findChild<QPushButton*>(QStringLiteral("nextButton"))->click();
        } else if (qobject_cast<ui::CEventImportDlg*>(dialog)) {
            auto* guild = dialog->findChild<QComboBox*>(QStringLiteral("guildChoice"));
            guild->setCurrentIndex(guild->findText(QString::fromUtf8(kGuild)));
            auto* dkp = dialog->findChild<QComboBox*>(QStringLiteral("dkpChoice"));
            dkp->setCurrentIndex(dkp->findText(QString::fromUtf8(kRaidDkp)));
            dialog->findChild<QPushButton*>(QStringLiteral("uploadButton"))->click();
            // A repeated upload that was declined leaves the form open: the user cancels.
            if (!static_cast<ui::CEventImportDlg*>(dialog)->isUploading())
                dialog->findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
        } else if (auto* restore = qobject_cast<ui::CRestoreDataDlg*>(dialog)) {
            restore->accountList()->setCurrentIndex(restore->accountList()->findText("DEMO"));
            restore->backupList()->setCurrentIndex(
                restore->backupList()->findText(QString::fromStdString(chosenBackup_)));
            restore->findChild<QPushButton*>(ui::controlName(ui::restoredatadlgids::Restore))
                ->click();
        } else {
            ADD_FAILURE() << "unexpected dialog " << dialog->metaObject()->className();
            dialog->reject();
        }
    }

    testsupport::TemporaryFolder home_;
    testsupport::TemporaryFolder program_;
    testsupport::TemporaryFolder game_;
    testsupport::TemporaryFolder current_;
    testsupport::TemporaryFolder siteFolder_;
    fs::path siteDatabase_ = siteFolder_.path() / "site.db";
    testsupport::SiteProcess site_{siteDatabase_, {"--demo"}};
    fs::path previous_;
    std::map<std::string, std::string> savedEnvironment_;
    testsupport::RecordingPrompter prompter_; // every question is answered No
    testsupport::FakeDesktop desktop_;
    int settingsShown_ = 0;
    std::string chosenBackup_;
};

TEST_F(RaidNight, FromLoginToUploadedPointsInTheGameAndARestoredLog) {
    ASSERT_FALSE(site_.url().empty());
    const std::string sampleLog = readFile(fs::path(RL_SOURCE_DIR) / "tests/data/TALLYRA.lua");
    ASSERT_FALSE(sampleLog.empty());
    testsupport::ModalWatcher user([this](QDialog* dialog) { actAsTheUser(dialog); });

    // Log in; the main window asks for the game folder and the guild, installs the addon there
    // and writes the guild's list, which the shipped addon reads as the site has it.
    app::RaidledgerApp app(program_.folder(), {prompter_, desktop_});
    ASSERT_TRUE(app.initInstance());
    ui::CMainFrame* frame = app.mainWindow();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(runEventsUntil([&] {
        return readFile(listFile()).find("MerDKP_Table") != std::string::npos;
    })) << readFile(listFile())
        << " / " << (prompter_.messages.empty() ? "" : prompter_.messages[0].text.toStdString());
    EXPECT_EQ(settingsShown_, 1);
    EXPECT_TRUE(fs::exists(addonFolder() / "TALLYRA.toc"));
    EXPECT_EQ(currentFolderEntries(), std::vector<fs::path>{"Temp"});
    const Points before = siteStandings();
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(addon_lua::runAddonPoints(addonFolder()), before);

    // The game writes a raid into the log: the backup object keeps a copy within one round.
    writeFile(demoData(), sampleLog);
    ASSERT_TRUE(runEventsUntil([&] { return backupsOf("DEMO").size() == 1; }, 15000));
    const fs::path copy = backupsOf("DEMO")[0];
    EXPECT_EQ(readFile(copy), sampleLog);

    // Upload that raid through the wizard; the list downloaded again shows its points.
    auto* upload = frame->findChild<QPushButton*>(ui::unitName(ui::mainframeids::Upload));
    upload->click();
    ASSERT_EQ(prompter_.questions.size(), 1u) << "the offer to open the new event's page";
    const Points after = siteStandings();
    dkp::Raids raids;
    dkp::loadRaidsFromFile(ufile::fromNativePath(demoData().native()), raids);
    const dkp::Raid* uploaded = nullptr;
    for (const dkp::Raid* raid : raids.getRaids())
        if (ustring::toUtf8(raid->getRaidName()) == kNewRaid)
            uploaded = raid;
    ASSERT_NE(uploaded, nullptr);
    Points expected = before;
    const std::int64_t system = raidSystemId();
    auto points = [&](const std::u16string& player) -> long long& {
        return expected[ustring::toUtf8(player)][system];
    };
    for (const dkp::Member& member : uploaded->getMembers())
        points(member.name) += 0; // the site lists every member, with or without points
    for (const dkp::BossKill& kill : uploaded->getBossKills().getBossKills())
        for (const std::u16string& attendee : kill.attendees)
            points(attendee) += kill.dkp;
    for (const dkp::Loot& loot : uploaded->getLoots())
        if (!loot.player.empty())
            points(loot.player) -= loot.costs;
    EXPECT_EQ(after, expected);

    // The upload is marked beside the settings; the same raid again goes only after a Yes.
    gamefiles::UploadMarks marks(program_.folder());
    EXPECT_EQ(marks.load(), u"");
    ASSERT_EQ(marks.marks().size(), 1u);
    EXPECT_EQ(marks.marks()[0].account, u"DEMO");
    EXPECT_EQ(marks.marks()[0].raidStart, uploaded->getRaidLog().getRaidStartTime());
    EXPECT_EQ(marks.marks()[0].site, ustring::fromUtf8(site_.url()));
    EXPECT_EQ(marks.marks()[0].documentSha256,
              gamefiles::uploadDocumentDigest(uploaded->exportDocument()));
    EXPECT_GT(marks.marks()[0].eventId, 0);
    upload->click();
    ASSERT_EQ(prompter_.questions.size(), 2u);
    EXPECT_TRUE(prompter_.questions[1].contains("确定要再次上传吗"));
    EXPECT_EQ(siteStandings(), after);

    const std::string firstList = readFile(listFile());
    frame->findChild<QPushButton*>(ui::unitName(ui::mainframeids::DownloadDkpList))->click();
    ASSERT_TRUE(runEventsUntil([&] { return readFile(listFile()) != firstList; }));
    EXPECT_EQ(addon_lua::runAddonPoints(addonFolder()), after);

    // The log is damaged; the user restores the copy made above, and only that file changes.
    const std::string otherBefore = readFile(otherData());
    fs::resize_file(demoData(), sampleLog.size() / 2);
    chosenBackup_ = copy.filename().string();
    frame->findChild<QPushButton*>(ui::unitName(ui::mainframeids::Restore))->click();
    ASSERT_FALSE(prompter_.messages.empty());
    EXPECT_EQ(prompter_.messages.back().text, QStringLiteral("VelvaneDKP插件数据已经成功恢复！"));
    EXPECT_EQ(readFile(demoData()), sampleLog);
    EXPECT_EQ(readFile(otherData()), otherBefore);
    EXPECT_EQ(currentFolderEntries(), std::vector<fs::path>{"Temp"});
}

} // namespace
