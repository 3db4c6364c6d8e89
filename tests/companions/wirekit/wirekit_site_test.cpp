// wirekit against a real dkpsite started on a free loopback port.
#include "dkp/load_raids.h"
#include "grammar/wowluaclipper.h"
#include "sample_raid.h"
#include "testsupport/recording_listeners.h"
#include "testsupport/site_process.h"
#include "testsupport/wirekit_fixture.h"
#include "utilkit/encrypt.h"
#include "utilkit/ustring.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

namespace {

using namespace wirekit_testing;
using testsupport::SiteProcess;

class WirekitSiteTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        site_ = new SiteProcess();
        wirekit().binding.setSiteUrl(site_->url());
        wirekit().binding.setRequestTimeouts(0, 0);
    }
    static void TearDownTestSuite() {
        delete site_;
        site_ = nullptr;
    }

    protocol::ProtocolManager& manager() { return wirekit().manager(); }
    QueueDispatcher& dispatcher() { return wirekit().dispatcher; }

    // Logs in as the demo user and waits for the account data.
    void logIn() { ASSERT_EQ(loginStep(u"demo", encrypt::SHA("demo")), 1); }

    std::int32_t upload(const std::u16string& guild, std::uint32_t system,
                        const std::string& document) {
        const auto answer = uploadStep(guild, system, ustring::fromUtf8(document));
        EXPECT_TRUE(answer.has_value());
        if (!answer)
            return -1;
        const auto [status, detail, eventId] = *answer;
        EXPECT_EQ(status, 200) << "detail " << detail;
        return eventId;
    }

    std::string guildList(const std::string& siteName) {
        const std::optional<std::string> list = guildListStep(siteName);
        EXPECT_TRUE(list.has_value());
        return list.value_or(std::string());
    }

    static SiteProcess* site_;
};

SiteProcess* WirekitSiteTest::site_ = nullptr;

TEST_F(WirekitSiteTest, RightPasswordLogsInAndThenAnnouncesTheAccount) {
    LoginRecorder login;
    AccountRecorder account;
    manager().getLoginService()->addListener(&login);
    manager().getAccountService()->addListener(&account);
    manager().getLoginService()->login(u"demo", encrypt::SHA("demo"));
    ASSERT_TRUE(dispatcher().runUntil([&] { return account.readyCalls > 0; }));
    dispatcher().runPending();
    manager().getLoginService()->removeListener(&login);
    manager().getAccountService()->removeListener(&account);

    ASSERT_EQ(login.results.size(), 1u);
    EXPECT_EQ(login.results[0].first, 1);
    EXPECT_EQ(account.readyCalls, 1);
    protocol::AccountService* accounts = manager().getAccountService();
    EXPECT_EQ(accounts->getUserName(), u"demo");
    const std::vector<protocol::GuildEntry> guilds = accounts->getGuilds();
    ASSERT_EQ(guilds.size(), 2u);
    EXPECT_EQ(guilds[0].guildId, u"晨曦之光");
    ASSERT_EQ(guilds[0].dkpSystems.size(), 2u);
    EXPECT_EQ(guilds[0].dkpSystems[1].name, u"新人DKP");
    EXPECT_EQ(guilds[1].guildId, u"暮色远征");
    EXPECT_EQ(accounts->getDefaultGuild().guildId, u"晨曦之光");
    EXPECT_EQ(accounts->getDefaultGuild().dkpSystems.size(), 2u);
    EXPECT_EQ(accounts->getDefaultGuildUrl(), ustring::fromUtf8(site_->url() + "/adpt_dkp"));
    const std::vector<protocol::DkpSystem>& dusk = accounts->getDkpSystems(u"暮色远征");
    ASSERT_EQ(dusk.size(), 1u);
    EXPECT_EQ(dusk[0].name, u"暮色DKP");
    EXPECT_EQ(dusk[0].id, guilds[1].dkpSystems[0].id);
    EXPECT_TRUE(accounts->getDkpSystems(u"no such guild").empty());
}

TEST_F(WirekitSiteTest, WrongPasswordOrUserGivesZero) {
    LoginRecorder login;
    manager().getLoginService()->addListener(&login);
    manager().getLoginService()->login(u"demo", encrypt::SHA("not demo"));
    manager().getLoginService()->login(u"nobody", encrypt::SHA("demo"));
    ASSERT_TRUE(dispatcher().runUntil([&] { return login.results.size() == 2; }));
    manager().getLoginService()->removeListener(&login);
    EXPECT_EQ(login.results[0].first, 0);
    EXPECT_EQ(login.results[1].first, 0);
}

TEST_F(WirekitSiteTest, UploadedRaidIsStoredAndChangesTheGuildList) {
    logIn();
    const std::uint32_t system = manager().getAccountService()->getDkpSystems(u"暮色远征")[0].id;
    const std::string before = guildList("dusk_dkp");

    const std::int32_t eventId = upload(u"暮色远征", system, dkpsite_testing::sampleRaidDocument());
    ASSERT_GT(eventId, 0);

    httplib::Client client("127.0.0.1", site_->port());
    auto stored = client.Get("/api/events/" + std::to_string(eventId));
    ASSERT_TRUE(stored);
    const auto event = nlohmann::json::parse(stored->body);
    EXPECT_EQ(event["guildId"], "暮色远征");
    EXPECT_EQ(event["name"], "周五活动");
    EXPECT_EQ(event["raid"]["members"].size(), 2u);
    EXPECT_EQ(event["raid"]["kills"][0]["boss"], "Sample Boss");
    EXPECT_EQ(event["raid"]["loot"][0]["itemName"], "Sample Blade");
    EXPECT_EQ(event["raid"]["note"], "bring <flasks> & food");

    const std::string after = guildList("dusk_dkp");
    EXPECT_NE(after, before);
    EXPECT_EQ(after.rfind("Mer_DKP_UPDATETIME = \"", 0), 0u);
    EXPECT_NE(after.find("[\"dkp\"] = -40,"), std::string::npos) << after;
}

TEST_F(WirekitSiteTest, UploadOfARealExportedRaidIsStoredWithItsMembersKillsAndLoot) {
    grammar::WOWLUAClipper clipper;
    dkp::Raids raids;
    ASSERT_TRUE(dkp::loadRaidsFromFile(RL_SOURCE_DIR u"/tests/data/TALLYRA.lua", clipper, raids));
    const dkp::Raid* raid = nullptr;
    for (const dkp::Raid* candidate : raids.getRaids())
        if (!candidate->getBossKills().getBossKills().empty() && !candidate->getLoots().empty())
            raid = candidate;
    ASSERT_NE(raid, nullptr);
    const std::string document = ustring::toUtf8(raid->exportDocument());

    logIn();
    // The demo guild's systems already hold the sample raids; the other guild's starts empty.
    const std::uint32_t system = manager().getAccountService()->getDkpSystems(u"暮色远征")[0].id;
    const std::int32_t eventId = upload(u"暮色远征", system, document);
    ASSERT_GT(eventId, 0);

    httplib::Client client("127.0.0.1", site_->port());
    auto stored = client.Get("/api/events/" + std::to_string(eventId));
    ASSERT_TRUE(stored);
    const auto event = nlohmann::json::parse(stored->body)["raid"];
    ASSERT_EQ(event["members"].size(), raid->getMembers().size());
    for (size_t i = 0; i < raid->getMembers().size(); ++i)
        EXPECT_EQ(event["members"][i]["name"], ustring::toUtf8(raid->getMembers()[i].name));
    const auto& kills = raid->getBossKills().getBossKills();
    ASSERT_EQ(event["kills"].size(), kills.size());
    for (size_t i = 0; i < kills.size(); ++i) {
        EXPECT_EQ(event["kills"][i]["boss"], ustring::toUtf8(kills[i].name));
        EXPECT_EQ(event["kills"][i]["dkp"], kills[i].dkp);
        EXPECT_EQ(event["kills"][i]["attendees"].size(), kills[i].attendees.size());
    }
    const dkp::Loots& loots = raid->getLoots();
    ASSERT_EQ(event["loot"].size(), loots.size());
    for (size_t i = 0; i < loots.size(); ++i) {
        EXPECT_EQ(event["loot"][i]["itemName"], ustring::toUtf8(loots[i].name));
        EXPECT_EQ(event["loot"][i]["player"], ustring::toUtf8(loots[i].player));
        EXPECT_EQ(event["loot"][i]["costs"], loots[i].costs);
        EXPECT_EQ(event["loot"][i]["tooltip"], ustring::toUtf8(loots[i].tooltip));
    }

    // The guild list now holds the receiver of the first loot with the raid's points.
    const std::u16string player = loots[0].player;
    long long earned = 0, spent = 0;
    for (const dkp::BossKill& kill : kills)
        for (const std::u16string& attendee : kill.attendees)
            earned += attendee == player ? kill.dkp : 0;
    for (const dkp::Loot& loot : loots)
        spent += loot.player == player ? loot.costs : 0;
    const std::string list = guildList("dusk_dkp");
    const size_t entry = list.find("[\"" + ustring::toUtf8(player) + "\"] = {");
    ASSERT_NE(entry, std::string::npos) << list;
    const std::string points = "[\"earned\"] = " + std::to_string(earned) +
                               ",\n\t\t\t\t[\"spent\"] = " + std::to_string(spent) + ",";
    EXPECT_EQ(list.find(points, entry), list.find("[\"earned\"]", entry)) << list;
}

TEST_F(WirekitSiteTest, GuildListArrivesUnchangedForASiteNameInTheAnsiCodePage) {
    const std::string list = guildList("adpt_dkp");
    httplib::Client client("127.0.0.1", site_->port());
    auto direct = client.Get("/api/guild-dkp-list?site=adpt_dkp");
    ASSERT_TRUE(direct);
    EXPECT_EQ(list, direct->body);
}

TEST_F(WirekitSiteTest, UploadTheSiteRefusesIsAFailure) {
    logIn();
    UploadRecorder recorder;
    manager().getEventUploadService()->addListener(&recorder);
    manager().getEventUploadService()->uploadEvent(u"not my guild", 1, u"e", u"", u"<RaidInfo>");
    ASSERT_TRUE(dispatcher().runUntil([&] { return !recorder.results.empty(); }));
    manager().getEventUploadService()->removeListener(&recorder);
    EXPECT_NE(std::get<0>(recorder.results[0]), 200);
    EXPECT_EQ(std::get<2>(recorder.results[0]), 0);
}

TEST_F(WirekitSiteTest, AccountListenerAddedAfterTheDataIsToldOnce) {
    logIn();
    AccountRecorder late;
    protocol::AccountService* accounts = manager().getAccountService();
    accounts->addListener(&late);
    accounts->addListener(&late);  // a second registration changes nothing
    EXPECT_EQ(late.readyCalls, 0); // never inside addListener
    dispatcher().runPending();
    EXPECT_EQ(late.readyCalls, 1);

    // A refresh announces the data again, once.
    accounts->refreshAccount();
    ASSERT_TRUE(dispatcher().runUntil([&] { return late.readyCalls == 2; }));
    dispatcher().runPending();
    EXPECT_EQ(late.readyCalls, 2);
    accounts->removeListener(&late);
}

TEST_F(WirekitSiteTest, ListenerRemovedBeforeItsAnswerIsNotCalled) {
    LoginRecorder kept, removed;
    protocol::LoginService* login = manager().getLoginService();
    login->addListener(&removed);
    login->addListener(&kept);
    login->login(u"demo", encrypt::SHA("demo"));
    login->removeListener(&removed);
    ASSERT_TRUE(dispatcher().runUntil([&] { return !kept.results.empty(); }));
    login->removeListener(&kept);
    EXPECT_TRUE(removed.results.empty());

    // The same for an answer that has already been posted but not yet run.
    GuildListRecorder listKept, listRemoved;
    protocol::GuildDkpService* guilds = manager().getGuildDkpService();
    guilds->addListener(&listRemoved);
    guilds->addListener(&listKept);
    guilds->requestGuildDkpList("adpt_dkp", true);
    guilds->requestGuildDkpList("adpt_dkp", true);
    ASSERT_TRUE(dispatcher().runUntil([&] { return listKept.lists.size() == 1; }));
    guilds->removeListener(&listRemoved);
    ASSERT_TRUE(dispatcher().runUntil([&] { return listKept.lists.size() == 2; }));
    guilds->removeListener(&listKept);
    EXPECT_EQ(listRemoved.lists.size(), 1u);
}

TEST_F(WirekitSiteTest, ListenerCallsArriveOnTheDispatcherThreadOnly) {
    const auto posters = dispatcher().posters().size();
    LoginRecorder login;
    UploadRecorder upload;
    manager().getLoginService()->addListener(&login);
    manager().getEventUploadService()->addListener(&upload);
    manager().getLoginService()->login(u"demo", encrypt::SHA("wrong"));
    manager().getEventUploadService()->uploadEvent(u"x", 1, u"e", u"", u"");
    ASSERT_TRUE(
        dispatcher().runUntil([&] { return !login.results.empty() && !upload.results.empty(); }));
    manager().getLoginService()->removeListener(&login);
    manager().getEventUploadService()->removeListener(&upload);

    const auto self = std::this_thread::get_id();
    EXPECT_EQ(login.threads, std::vector<std::thread::id>{self});
    EXPECT_EQ(upload.threads, std::vector<std::thread::id>{self});
    const auto allPosters = dispatcher().posters();
    ASSERT_GT(allPosters.size(), posters);
    for (size_t i = posters; i < allPosters.size(); ++i)
        EXPECT_NE(allPosters[i], self) << "an answer was posted from the calling thread";
}

} // namespace
