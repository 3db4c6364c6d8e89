// The in-game points end to end: raids uploaded to a real dkpsite, the guild's list fetched and
// written as the client does, the shipped addon installed and its Lua run by lua5.4.
#include "dkp/load_raids.h"
#include "gamefiles/addon_manager.h"
#include "gamefiles/dkp_list.h"
#include "grammar/wowluaclipper.h"
#include "sample_raid.h"
#include "testsupport/addon_lua.h"
#include "testsupport/recording_listeners.h"
#include "testsupport/site_process.h"
#include "testsupport/temporary_folder.h"
#include "testsupport/wirekit_fixture.h"
#include "utilkit/encrypt.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <curl/curl.h>
#include <optional>
#include <sstream>

namespace {

using namespace wirekit_testing;
using testsupport::SiteProcess;

const std::u16string kGuild = u"晨曦之光";
const std::string kGuildSite = "adpt_dkp";

// A Lua string literal's text as dkpsite writes it: \" and \\ escaped, control bytes as \ddd.
std::string luaUnquoted(const std::string& literal) {
    std::string text;
    for (std::size_t i = 0; i < literal.size(); ++i) {
        if (literal[i] != '\\') {
            text += literal[i];
        } else if (std::isdigit(static_cast<unsigned char>(literal[i + 1]))) {
            text += static_cast<char>(std::stoi(literal.substr(i + 1, 3)));
            i += 3;
        } else {
            text += literal[++i];
        }
    }
    return text;
}

// The text between `prefix` and `suffix` when the line is exactly that, or nothing.
std::optional<std::string> between(const std::string& line, const std::string& prefix,
                                   const std::string& suffix) {
    if (line.size() < prefix.size() + suffix.size() || line.rfind(prefix, 0) != 0 ||
        line.compare(line.size() - suffix.size(), suffix.size(), suffix) != 0)
        return std::nullopt;
    return line.substr(prefix.size(), line.size() - prefix.size() - suffix.size());
}

// Each player's dkp per system, read from the list text line by line in the layout dkpsite
// writes (one tab more for each level), independently of the addon.
addon_lua::Points listPoints(const std::string& list) {
    addon_lua::Points points;
    long long systemId = -1;
    std::string name;
    std::istringstream lines(list);
    for (std::string line; std::getline(lines, line);) {
        if (const auto id = between(line, "\t[", "] = {"); id && id->find('\t') == id->npos)
            systemId = std::stoll(*id);
        else if (const auto player = between(line, "\t\t\t[\"", "\"] = {"))
            name = luaUnquoted(*player);
        else if (const auto dkp = between(line, "\t\t\t\t[\"dkp\"] = ", ","))
            points[name][systemId] = std::stoll(*dkp);
    }
    return points;
}

// What a raid adds to each player's dkp: the points of the kills attended less the loot paid
// for. Members without either are listed with 0.
void addRaidPoints(const dkp::Raid& raid, long long systemId, addon_lua::Points& points) {
    for (const dkp::Member& member : raid.getMembers())
        points[ustring::toUtf8(member.name)][systemId] += 0;
    for (const dkp::BossKill& kill : raid.getBossKills().getBossKills())
        for (const std::u16string& attendee : kill.attendees)
            points[ustring::toUtf8(attendee)][systemId] += kill.dkp;
    for (const dkp::Loot& loot : raid.getLoots())
        if (!loot.player.empty())
            points[ustring::toUtf8(loot.player)][systemId] -= loot.costs;
}

class AddonPointsSiteTest : public ::testing::Test {
protected:
    void SetUp() override {
        curl_global_init(CURL_GLOBAL_ALL); // as the program does before its first request
        wirekit().binding.setSiteUrl(site_.url());
        wirekit().binding.setRequestTimeouts(0, 0);
        ASSERT_EQ(loginStep(u"demo", encrypt::SHA("demo")), 1);
    }

    protocol::ProtocolManager& manager() { return wirekit().manager(); }
    QueueDispatcher& dispatcher() { return wirekit().dispatcher; }

    // Uploads the document; `eventId` is the event the site answers with.
    void upload(std::uint32_t system, const std::u16string& document, std::int64_t& eventId) {
        const auto answer = uploadStep(kGuild, system, document);
        ASSERT_TRUE(answer.has_value());
        ASSERT_EQ(std::get<0>(*answer), 200);
        eventId = std::get<2>(*answer);
    }

    // The guild's list as the client receives it.
    std::string guildList() {
        const std::optional<std::string> list = guildListStep(kGuildSite);
        EXPECT_TRUE(list.has_value());
        return list.value_or(std::string());
    }

    SiteProcess site_;
};

TEST_F(AddonPointsSiteTest, TheInstalledAddonShowsThePointsOfTheGuildsListInEverySystem) {
    const std::vector<protocol::DkpSystem>& systems =
        manager().getAccountService()->getDkpSystems(kGuild);
    ASSERT_EQ(systems.size(), 2u);
    const addon_lua::Points before = listPoints(guildList());

    // Every sample raid goes to the first system; the second gets one of them and a small raid
    // of its own, so that players hold points in both.
    grammar::WOWLUAClipper clipper;
    dkp::Raids raids;
    ASSERT_TRUE(dkp::loadRaidsFromFile(RL_SOURCE_DIR u"/tests/data/TALLYRA.lua", clipper, raids));
    ASSERT_GE(raids.getRaids().size(), 2u);
    // A raid the system already holds (the demo's) answers with its event and adds nothing;
    // new events get numbers beyond every earlier one.
    addon_lua::Points added;
    std::int64_t newest = 0, eventId = 0;
    const std::u16string sample = ustring::fromUtf8(dkpsite_testing::sampleRaidDocument());
    ASSERT_NO_FATAL_FAILURE(upload(systems[1].id, sample, newest));
    added["PlayerOne"][systems[1].id] += 10 - 50;
    added["PlayerTwo"][systems[1].id] += 10;
    ASSERT_NO_FATAL_FAILURE(upload(systems[1].id, sample, eventId));
    EXPECT_EQ(eventId, newest);
    for (const dkp::Raid* raid : raids.getRaids()) {
        ASSERT_NO_FATAL_FAILURE(upload(systems[0].id, raid->exportDocument(), eventId));
        if (eventId > newest)
            addRaidPoints(*raid, systems[0].id, added);
        newest = std::max(newest, eventId);
    }
    const dkp::Raid& second = *raids.getRaids()[1];
    ASSERT_NO_FATAL_FAILURE(upload(systems[1].id, second.exportDocument(), eventId));
    EXPECT_GT(eventId, newest);
    addRaidPoints(second, systems[1].id, added);

    const std::string list = guildList();
    ASSERT_FALSE(list.empty());
    const addon_lua::Points site = listPoints(list);
    // The list holds what it held before plus what the raids brought.
    addon_lua::Points expected = before;
    for (const auto& [name, bySystem] : added)
        for (const auto& [system, points] : bySystem)
            expected[name][system] += points;
    EXPECT_EQ(site, expected) << list;
    int playersWithPoints = 0;
    for (const auto& [name, bySystem] : site)
        playersWithPoints += bySystem.count(systems[0].id) && bySystem.at(systems[0].id) != 0;
    EXPECT_GE(playersWithPoints, 2) << list;

    // The client installs the addon it ships and writes the list it received.
    testsupport::TemporaryFolder game;
    game.makeFolder("Interface/AddOns");
    const gamefiles::AddonManager addons(ufile::fromNativePath(RL_BINARY_DIR) + u"/bin/");
    ASSERT_TRUE(addons.installAddon(game.folder()));
    ASSERT_TRUE(gamefiles::writeDkpList(game.folder(), list));
    ASSERT_EQ(game.read("Interface/AddOns/TALLYRA/MerDKP/dkp_list.lua"), list);

    const addon_lua::AddonRun run = addon_lua::runAddon(game.path("Interface/AddOns/TALLYRA"));
    EXPECT_EQ(run.exitStatus, 0) << run.output;
    EXPECT_TRUE(run.missingFiles.empty()) << run.output;
    EXPECT_EQ(run.points, site) << run.output;
    EXPECT_EQ(run.systems.size(), 2u) << run.output;
    EXPECT_EQ(run.systems.at(systems[0].id), ustring::toUtf8(systems[0].name));
    // Without a system the addon answers from the one with the lowest id.
    const long long lowest = std::min(systems[0].id, systems[1].id);
    for (const auto& [name, bySystem] : site)
        EXPECT_EQ(run.defaults.at(name), bySystem.count(lowest) ? bySystem.at(lowest) : 0) << name;

    // A new addon version over it keeps the list.
    game.write("Interface/AddOns/TALLYRA/version.txt", "an older version");
    ASSERT_TRUE(addons.installAddon(game.folder()));
    EXPECT_EQ(addon_lua::runAddonPoints(game.path("Interface/AddOns/TALLYRA")), site);
}

} // namespace
