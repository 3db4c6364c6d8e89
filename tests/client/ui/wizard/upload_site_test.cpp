// An upload from the event upload dialog that reaches a dkpsite started for the test.
#include "testsupport/event_loop_dispatcher.h"
#include "testsupport/fake_account_service.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/qstring_print.h"
#include "testsupport/raid_table.h"
#include "testsupport/site_process.h"

#include "protocol/protocol.h"
#include "protocol_binding/protocol_binding.h"
#include "ui/wizard/ceventimportdlg.h"
#include "ui/wizard/ceventimportdlg_ids.h"
#include "utilkit/encrypt.h"
#include "utilkit/ustring.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <curl/curl.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <optional>
#include <string>

namespace {

// libcurl is set up once for the process before any transfer, as the program does at start-up.
class CurlEnvironment final : public testing::Environment {
public:
    void SetUp() override { curl_global_init(CURL_GLOBAL_ALL); }
    void TearDown() override { curl_global_cleanup(); }
};
const testing::Environment* const curlEnvironment =
    testing::AddGlobalTestEnvironment(new CurlEnvironment);

class Session final : public protocol::LoginListener, public protocol::AccountListener {
public:
    void onLoginResult(std::int32_t result, std::uint32_t) override { loginResult = result; }
    void onAccountReady() override { accountReady = true; }
    std::optional<std::int32_t> loginResult;
    bool accountReady = false;
};

// The document stored for the event, read straight from the site's database.
std::optional<std::string> storedDocument(const std::filesystem::path& database, int eventId) {
    sqlite3* db = nullptr;
    std::optional<std::string> document;
    if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT document FROM events WHERE id = ?", -1, &statement,
                               nullptr) == SQLITE_OK) {
            sqlite3_bind_int(statement, 1, eventId);
            if (sqlite3_step(statement) == SQLITE_ROW)
                document = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return document;
}

class UploadToSite : public testing::Test {
protected:
    void SetUp() override {
        std::u16string error;
        ASSERT_TRUE(binding.bindFrom({std::string(RL_BINARY_DIR) + "/lib/libwirekit.so"}, error))
            << ustring::toUtf8(error);
        binding.installDispatcher(&dispatcher);
        binding.setSiteUrl(site.url());
        protocol::ProtocolManager* manager = binding.manager();
        accounts = manager->getAccountService();
        uploads = manager->getEventUploadService();
        protocol::LoginService* login = manager->getLoginService();
        login->addListener(&session);
        accounts->addListener(&session);
        login->login(u"demo", encrypt::SHA("demo"));
        ASSERT_TRUE(QTest::qWaitFor(
            [this] { return session.loginResult.has_value() && session.accountReady; }, 20000));
        EXPECT_EQ(session.loginResult, 1);
        login->removeListener(&session);
    }
    void TearDown() override {
        if (accounts)
            accounts->removeListener(&session);
        binding.installDispatcher(nullptr);
    }

    testsupport::SiteProcess site;
    testsupport::EventLoopDispatcher dispatcher;
    protocol_binding::ProtocolBinding binding;
    Session session;
    protocol::AccountService* accounts = nullptr;
    protocol::EventUploadService* uploads = nullptr;
    testsupport::RecordingPrompter prompter;
    testsupport::FakeDesktop desktop;
};

TEST_F(UploadToSite, TheSiteReceivesTheExactExportDocumentAndThePageOpens) {
    auto raid = testsupport::RaidTable(u"01/25/08 20:03:13", u"纳克萨玛斯")
                    .member(u"暗影之刃")
                    .kill(u"阿努布雷坎", 10, {u"暗影之刃"})
                    .loot(u"雷霆之怒", u"暗影之刃", 30, u"阿努布雷坎")
                    .build();
    const QString siteUrl = QString::fromStdString(site.url());
    ui::CEventImportDlg dialog({prompter, desktop}, raid.get(), accounts, uploads,
                               {siteUrl, QStringLiteral("http://items")});
    dialog.show();
    auto* guild = dialog.findChild<QComboBox*>(ui::eventimportdlgids::GuildChoice);
    ASSERT_GT(guild->count(), 0);
    dialog.findChild<QLineEdit*>(ui::eventimportdlgids::EventNote)->setText("周五 团");
    prompter.answers.push_back(true);
    dialog.findChild<QPushButton*>(ui::eventimportdlgids::UploadButton)->click();
    ASSERT_TRUE(dialog.isUploading());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.isUploading(); }, 30000));

    ASSERT_EQ(prompter.questions.size(), 1u)
        << (prompter.messages.empty() ? std::string() : prompter.messages[0].text.toStdString());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(desktop.openedUrls.size(), 1u);
    const std::string opened = ustring::toUtf8(desktop.openedUrls[0]);
    const std::string prefix = site.url() + "/event.do?method=event_info&eventid=";
    ASSERT_EQ(opened.rfind(prefix, 0), 0u) << opened;
    const int eventId = std::stoi(opened.substr(prefix.size()));
    EXPECT_NE(opened.find("&guildid=" + encrypt::urlEncode(guild->currentText().toStdString())),
              std::string::npos);

    const auto document = storedDocument(site.folder() / "site.db", eventId);
    ASSERT_TRUE(document.has_value());
    EXPECT_EQ(*document, ustring::toUtf8(raid->exportDocument()));
}

TEST_F(UploadToSite, AnUnknownGuildIsRefusedAndTheFormStaysForAnotherTry) {
    testsupport::FakeAccountService fakeGuilds;
    fakeGuilds.guilds = {{{{999999, u"没有"}}, u"no-such-guild"}};
    auto raid = testsupport::RaidTable().build();
    ui::CEventImportDlg dialog({prompter, desktop}, raid.get(), &fakeGuilds, uploads, {});
    dialog.show();
    dialog.findChild<QPushButton*>(ui::eventimportdlgids::UploadButton)->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.isUploading(); }, 30000));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "上传数据失败，请稍后再重试，或联系DKP客服解决问题");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.findChild<QPushButton*>(ui::eventimportdlgids::UploadButton)->isEnabled());
}

} // namespace
