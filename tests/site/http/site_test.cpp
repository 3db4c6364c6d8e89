// dkpsite as a program: started on a free loopback port, spoken to over HTTP.
#include "cli/site_options.h"
#include "sample_raid.h"
#include "testsupport/site_process.h"
#include "testsupport/temporary_folder.h"
#include "web/refusal_text.h"

#include "raidsift.h"
#include "utilkit/ustring.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <httplib.h>
#include <nlohmann/json.hpp>

namespace dkpsite {
namespace {

using nlohmann::json;
using testsupport::SiteProcess;

// The digest the client sends for the demo password "demo".
const std::string kDemoDigest = "2a97516c354b68848cdbd8f54a226a0a55b21ed138e207ad6c5cbb9c00aa5aea";

class SiteTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { site_ = new SiteProcess(); }
    static void TearDownTestSuite() {
        delete site_;
        site_ = nullptr;
    }

    httplib::Client client() { return httplib::Client("127.0.0.1", site_->port()); }

    httplib::Result login(const std::string& user, const std::string& digest) {
        return client().Post("/api/login", json{{"user", user}, {"digest", digest}}.dump(),
                             "application/json");
    }

    std::string token() {
        auto answer = login("demo", kDemoDigest);
        return answer ? json::parse(answer->body).value("token", "") : "";
    }

    httplib::Result upload(const std::string& token, const json& body) {
        return client().Post("/api/events", {{"Authorization", "Bearer " + token}}, body.dump(),
                             "application/json");
    }

    static SiteProcess* site_;
};

SiteProcess* SiteTest::site_ = nullptr;

TEST_F(SiteTest, LoginAnswersATokenOnlyForTheRightDigest) {
    auto right = login("Demo", kDemoDigest);
    ASSERT_TRUE(right);
    EXPECT_EQ(right->status, 200);
    EXPECT_EQ(json::parse(right->body)["result"], 1);
    auto wrong = login("demo", std::string(64, '0'));
    ASSERT_TRUE(wrong);
    EXPECT_EQ(wrong->status, 401);
    EXPECT_EQ(json::parse(wrong->body)["result"], 0);
    auto malformed = client().Post("/api/login", "{\"user\": 5}", "application/json");
    ASSERT_TRUE(malformed);
    EXPECT_EQ(malformed->status, 400);
}

TEST_F(SiteTest, AccountListsTheDemoGuildsAndTheirSystems) {
    auto answer = client().Get("/api/account", {{"Authorization", "Bearer " + token()}});
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->status, 200);
    const json account = json::parse(answer->body);
    EXPECT_EQ(account["user"], "demo");
    EXPECT_EQ(account["defaultGuild"], "晨曦之光");
    EXPECT_EQ(account["defaultGuildUrl"], site_->url() + "/adpt_dkp");
    ASSERT_EQ(account["guilds"].size(), 2u);
    EXPECT_EQ(account["guilds"][0]["dkpSystems"].size(), 2u);
    EXPECT_EQ(account["guilds"][1]["guildId"], "暮色远征");
    EXPECT_EQ(account["guilds"][1]["dkpSystems"][0]["name"], "暮色DKP");
    auto anonymous = client().Get("/api/account");
    ASSERT_TRUE(anonymous);
    EXPECT_EQ(anonymous->status, 401);
}

TEST_F(SiteTest, UploadedEventIsStoredAndShowsInTheGuildList) {
    const std::string session = token();
    auto created = upload(session, {{"guildId", "暮色远征"},
                                    {"dkpId", 3},
                                    {"name", "周五活动"},
                                    {"note", ""},
                                    {"document", dkpsite_testing::sampleRaidDocument()}});
    ASSERT_TRUE(created);
    ASSERT_EQ(created->status, 200) << created->body;
    const json answer = json::parse(created->body);
    EXPECT_EQ(answer["status"], 200);
    const int eventId = answer["eventId"];

    auto stored = client().Get("/api/events/" + std::to_string(eventId));
    ASSERT_TRUE(stored);
    const json event = json::parse(stored->body);
    EXPECT_EQ(event["name"], "周五活动");
    EXPECT_EQ(event["raid"]["members"].size(), 2u);
    EXPECT_EQ(event["raid"]["kills"][0]["attendees"].size(), 2u);
    EXPECT_EQ(event["raid"]["loot"][0]["player"], "PlayerOne");

    auto list = client().Get("/api/guild-dkp-list?site=dusk_dkp&client=mainland");
    ASSERT_TRUE(list);
    ASSERT_EQ(list->status, 200);
    EXPECT_NE(list->body.find("[\"PlayerOne\"] = {\n\t\t\t\t[\"class\"] = \"Warrior\",\n\t\t\t\t"
                              "[\"earned\"] = 10,\n\t\t\t\t[\"spent\"] = 50,\n\t\t\t\t"
                              "[\"dkp\"] = -40,"),
              std::string::npos)
        << list->body;

    auto page = client().Get("/event.do?method=event_info&eventid=" + std::to_string(eventId) +
                             "&dkpid=3&guildid=%E6%9A%AE%E8%89%B2%E8%BF%9C%E5%BE%81");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_NE(page->body.find("bring &lt;flasks&gt; &amp; food"), std::string::npos);
}

TEST_F(SiteTest, RefusesUploadsItCannotAccept) {
    const std::string session = token();
    json body = {{"guildId", "晨曦之光"},
                 {"dkpId", 1},
                 {"name", "e"},
                 {"note", ""},
                 {"document", "<RaidInfo>broken"}};
    EXPECT_EQ(upload(session, body)->status, 400);
    body["document"] = dkpsite_testing::sampleRaidDocument();
    EXPECT_EQ(upload("no session", body)->status, 401);
    body["dkpId"] = 3; // a system of the other guild
    EXPECT_EQ(upload(session, body)->status, 404);
    body["guildId"] = "someone else's guild";
    EXPECT_EQ(upload(session, body)->status, 403);
    body.erase("note"); // refused for the guild before its form is looked at
    EXPECT_EQ(upload(session, body)->status, 403);
    body["guildId"] = "晨曦之光";
    EXPECT_EQ(upload(session, body)->status, 400);
}

// An officer's session used in the browser: its cookie, and the CSRF token its forms carry.
struct BrowserSession {
    httplib::Headers cookie;
    std::string csrf;
};

BrowserSession browserSession(httplib::Client& client, const std::string& token,
                              const std::string& page) {
    BrowserSession session{{{"Cookie", "dkp_session=" + token}}, ""};
    const auto answer = client.Get(page.c_str(), session.cookie);
    const std::string field = "name=\"csrf\" value=\"";
    const std::size_t at = answer ? answer->body.find(field) : std::string::npos;
    if (at != std::string::npos) {
        const std::size_t start = at + field.size();
        session.csrf = answer->body.substr(start, answer->body.find('"', start) - start);
    }
    return session;
}

// The number after `name=` in a redirect's address.
std::int64_t redirectNumber(const httplib::Result& answer, const std::string& name) {
    if (!answer || answer->status != 303)
        return 0;
    const std::string location = answer->get_header_value("Location");
    const std::size_t at = location.find(name + "=");
    return at == std::string::npos ? 0 : std::stoll(location.substr(at + name.size() + 1));
}

// A raid exported by the analyser as the raid-log XML and imported on the site's officer page
// is the raid the client's upload of it makes, but for what the XML does not carry: the kills'
// points (the form's) and the realm, note and item details. An archived DKP system then
// refuses an upload with a sentence that says why.
TEST_F(SiteTest, RaidLogXmlImportMakesTheRaidTheUploadMakes) {
    dkp::Raids raids;
    ASSERT_TRUE(
        dkp::loadRaidsFromFile(ustring::fromUtf8(RL_SOURCE_DIR "/tests/data/TALLYRA.lua"), raids));
    const dkp::Raid* raid = raids.getRaids().at(1);
    const std::string uploadDocument = dkp::exportRaids({raid}, dkp::ExportFormat::Upload, {});
    const std::string xml = dkp::exportRaids({raid}, dkp::ExportFormat::EqdkpXml, {});

    const std::string token = this->token();
    httplib::Client web = client();
    BrowserSession browser = browserSession(web, token, "/dusk_dkp/officer");
    ASSERT_FALSE(browser.csrf.empty());
    const auto newSystem = [&](const std::string& name) {
        const httplib::Params form{{"csrf", browser.csrf}, {"action", "create"}, {"name", name}};
        return redirectNumber(web.Post("/dusk_dkp/systems", browser.cookie, form), "dkp");
    };
    const std::int64_t viaUpload = newSystem("上传"), viaXml = newSystem("XML");
    ASSERT_GT(viaUpload, 0);
    ASSERT_GT(viaXml, 0);

    auto uploaded = upload(token, {{"guildId", "暮色远征"},
                                   {"dkpId", viaUpload},
                                   {"name", "卡拉赞"},
                                   {"note", ""},
                                   {"document", uploadDocument}});
    ASSERT_EQ(uploaded->status, 200) << uploaded->body;
    const auto importXml = [&](const std::string& file, const std::string& csrf,
                               std::int64_t system) {
        return web.Post("/dusk_dkp/raid-import", browser.cookie,
                        httplib::MultipartFormDataItems{
                            httplib::MultipartFormData{"csrf", csrf, "", ""},
                            httplib::MultipartFormData{"dkp", std::to_string(system), "", ""},
                            httplib::MultipartFormData{"points", "7", "", ""},
                            httplib::MultipartFormData{"raidlog", file, "raid.xml", "text/xml"}});
    };
    EXPECT_EQ(importXml(xml, "", viaXml)->status, 403);
    const auto broken = importXml(xml.substr(0, xml.size() / 2), browser.csrf, viaXml);
    EXPECT_EQ(broken->status, 400);
    EXPECT_NE(broken->body.find("不是格式正确的XML"), std::string::npos) << broken->body;
    const std::int64_t imported = redirectNumber(importXml(xml, browser.csrf, viaXml), "eventid");
    ASSERT_GT(imported, 0);
    // The same file again is the same event, and so is the file of a raid already uploaded.
    EXPECT_EQ(redirectNumber(importXml(xml, browser.csrf, viaXml), "eventid"), imported);
    const std::int64_t uploadedEvent = json::parse(uploaded->body)["eventId"];
    EXPECT_EQ(redirectNumber(importXml(xml, browser.csrf, viaUpload), "eventid"), uploadedEvent);

    const auto raidOf = [&](std::int64_t event) {
        return json::parse(client().Get("/api/events/" + std::to_string(event))->body)["raid"];
    };
    const json fromUpload = raidOf(json::parse(uploaded->body)["eventId"]);
    const json fromXml = raidOf(imported);
    for (const char* field : {"key", "start", "end", "zone"})
        EXPECT_EQ(fromXml[field], fromUpload[field]) << field;
    EXPECT_EQ(fromXml["members"], fromUpload["members"]);
    ASSERT_EQ(fromXml["kills"].size(), fromUpload["kills"].size());
    for (std::size_t i = 0; i < fromXml["kills"].size(); ++i) {
        const json& kill = fromXml["kills"][i];
        const json& uploadedKill = fromUpload["kills"][i];
        EXPECT_EQ(kill["attendees"], uploadedKill["attendees"]) << i;
        for (const char* field : {"boss", "time"})
            EXPECT_EQ(kill[field], uploadedKill[field]) << i << field;
        EXPECT_EQ(kill["dkp"], 7);
    }
    ASSERT_EQ(fromXml["loot"].size(), fromUpload["loot"].size());
    for (std::size_t i = 0; i < fromXml["loot"].size(); ++i)
        for (const char* field :
             {"itemName", "itemId", "count", "player", "costs", "time", "zone", "boss"})
            EXPECT_EQ(fromXml["loot"][i][field], fromUpload["loot"][i][field]) << i << field;

    // Archived, the upload's system keeps its event and refuses the next one.
    const httplib::Params archive{
        {"csrf", browser.csrf}, {"action", "archive"}, {"dkp", std::to_string(viaUpload)}};
    ASSERT_GT(redirectNumber(web.Post("/dusk_dkp/systems", browser.cookie, archive), "dkp"), 0);
    auto refused = upload(token, {{"guildId", "暮色远征"},
                                  {"dkpId", viaUpload},
                                  {"name", "again"},
                                  {"note", ""},
                                  {"document", dkpsite_testing::sampleRaidDocument()}});
    EXPECT_EQ(refused->status, 409);
    EXPECT_NE(refused->body.find("archived"), std::string::npos) << refused->body;
    EXPECT_EQ(client().Get("/api/events/" + json::parse(uploaded->body)["eventId"].dump())->status,
              200);
}

// Every reason the store and the file readers give for a refusal is worded in both languages of
// the pages, naming the values the English sentence names; a page shows it in its own language.
TEST_F(SiteTest, EveryRefusalIsWordedInThePagesLanguage) {
    const PageRenderer renderer;
    const std::vector<std::string> values = {"<v1>", "<v2>", "<v3>"};
    for (const RefusalKind kind : refusalKinds()) {
        const Refusal refusal(kind, values);
        const std::string english = refusalSentence(refusal);
        const std::string key = "refusal_" + std::string(refusalName(kind));
        for (const auto language : {PageLanguage::Chinese, PageLanguage::English}) {
            const std::string text = refusalText(renderer, language, refusal);
            EXPECT_NE(renderer.text(language, key), key) << key << " has no text";
            for (const std::string& value : values)
                EXPECT_EQ(text.find(value) != text.npos, english.find(value) != english.npos)
                    << key << ": " << text << " against " << english;
            // The lead bytes of the common CJK ideographs in UTF-8.
            const bool chineseWords = std::any_of(text.begin(), text.end(), [](char c) {
                return static_cast<unsigned char>(c) >= 0xE4 &&
                       static_cast<unsigned char>(c) <= 0xE9;
            });
            EXPECT_EQ(chineseWords, language == PageLanguage::Chinese) << key << ": " << text;
        }
    }
    const Refusal ofLedger(RefusalKind::ArchiveLedger, {}, Refusal(RefusalKind::ReasonRequired));
    EXPECT_EQ(refusalSentence(ofLedger), "the archive's ledger is refused: a reason is required");
    EXPECT_EQ(refusalText(renderer, PageLanguage::Chinese, ofLedger),
              "公会文件里的DKP记录不被接受：每次修改都需要填写原因。");

    // The store refuses an alt that is its own main; the page says so in the reader's language.
    httplib::Client web = client();
    const BrowserSession browser = browserSession(web, token(), "/dusk_dkp/officer");
    const httplib::Params form{{"csrf", browser.csrf}, {"alt", "Zed"}, {"main", "Zed"}};
    const auto chinese = web.Post("/dusk_dkp/alt", browser.cookie, form);
    ASSERT_TRUE(chinese);
    EXPECT_EQ(chinese->status, 400);
    EXPECT_NE(chinese->body.find("角色不能是自己的大号。"), std::string::npos) << chinese->body;
    EXPECT_EQ(chinese->body.find("own main"), std::string::npos) << chinese->body;
    httplib::Headers inEnglish = browser.cookie;
    inEnglish.emplace("Accept-Language", "en");
    const auto english = web.Post("/dusk_dkp/alt", inEnglish, form);
    ASSERT_TRUE(english);
    EXPECT_NE(english->body.find("A character cannot be its own main."), std::string::npos)
        << english->body;
}

TEST_F(SiteTest, UnknownGuildSiteHasNoList) {
    auto list = client().Get("/api/guild-dkp-list?site=nowhere");
    ASSERT_TRUE(list);
    EXPECT_EQ(list->status, 404);
}

TEST(SiteProgram, ServesUpdateFilesFromTheGivenFolder) {
    const testsupport::TemporaryFolder outside;
    std::ofstream(outside.path("secret.txt")) << "secret";
    const testsupport::TemporaryFolder folder;
    std::ofstream(folder.path("list.xml")) << "<list/>";
    std::filesystem::create_directory(folder.path("packages"));
    const std::string package(300 * 1024, 'p'); // sent in pieces
    std::ofstream(folder.path("packages/client.zip"), std::ios::binary) << package;
    std::filesystem::create_symlink(outside.path("secret.txt"), folder.path("link.txt"));
    {
        SiteProcess site({"--updates", folder.path().string()});
        httplib::Client client("127.0.0.1", site.port());
        auto file = client.Get("/update/list.xml");
        ASSERT_TRUE(file);
        EXPECT_EQ(file->status, 200);
        EXPECT_EQ(file->body, "<list/>");
        EXPECT_EQ(file->get_header_value("Content-Type"), "application/xml");
        auto zip = client.Get("/update/packages/client.zip");
        ASSERT_TRUE(zip);
        EXPECT_EQ(zip->status, 200);
        EXPECT_EQ(zip->body, package);
        // Nothing but the folder's own files: not a folder, nor a way out of it.
        for (const char* refused :
             {"/update/missing.xml", "/update/packages", "/update/packages/", "/update/link.txt",
              "/update/../update/list.xml", "/update/packages/%2e%2e/list.xml",
              "/update/%2e%2e/%2e%2e/etc/passwd", "/update/packages//client.zip"}) {
            const auto answer = client.Get(refused);
            ASSERT_TRUE(answer) << refused;
            EXPECT_EQ(answer->status, 404) << refused;
            EXPECT_EQ(answer->body.find("secret"), std::string::npos) << refused;
        }
        // Stops cleanly on SIGTERM.
        const int status = site.stop();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
}

TEST(SiteProgram, KeepsItsDataAcrossRestarts) {
    SiteProcess first;
    const auto database = first.folder() / "site.db";
    const testsupport::TemporaryFolder copy;
    first.stop();
    std::filesystem::copy_file(database, copy.path("site.db"));
    // The same database, seeded again: the demo user is not added twice.
    SiteProcess second({"--demo", "--db", copy.path("site.db").string()});
    httplib::Client client("127.0.0.1", second.port());
    auto answer = client.Post("/api/login", json{{"user", "demo"}, {"digest", kDemoDigest}}.dump(),
                              "application/json");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    second.stop();
}

TEST(SiteOptions, ReadsEveryOptionAndRefusesBadOnes) {
    std::string error;
    const auto options = parseSiteOptions({"--port", "0", "--db", "x.db", "--demo", "--bind",
                                           "0.0.0.0", "--updates", "u", "--public-url", "http://h"},
                                          error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->port, 0);
    EXPECT_EQ(options->database, "x.db");
    EXPECT_TRUE(options->demo);
    EXPECT_EQ(options->bindAddress, "0.0.0.0");
    EXPECT_EQ(options->updatesFolder, "u");
    EXPECT_EQ(options->publicUrl, "http://h");
    EXPECT_EQ(parseSiteOptions({}, error)->bindAddress, "127.0.0.1");
    for (const auto& bad : std::vector<std::vector<std::string>>{
             {"--port"}, {"--port", "65536"}, {"--port", "12a"}, {"--port", "-1"}, {"--verbose"}}) {
        EXPECT_FALSE(parseSiteOptions(bad, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(SiteOptions, BoundAddressBecomesTheSitesUrl) {
    EXPECT_EQ(boundSiteUrl("127.0.0.1", 8080), "http://127.0.0.1:8080");
    EXPECT_EQ(boundSiteUrl("::1", 80), "http://[::1]:80");
}

TEST(SiteProgram, BannerGivesThePort) {
    EXPECT_EQ(testsupport::portFromBanner("dkpsite listening on http://127.0.0.1:4321"), 4321);
    EXPECT_EQ(testsupport::portFromBanner("something else"), 0);
}

} // namespace
} // namespace dkpsite
