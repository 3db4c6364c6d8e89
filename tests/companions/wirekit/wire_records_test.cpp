#include "guild_dkp_service_impl.h"
#include "wire_records.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace wirekit {
namespace {

TEST(WireRecords, LoginRequestCarriesNameAndDigestInUtf8) {
    const auto body = nlohmann::json::parse(loginRequest(u"团长", "abc"));
    EXPECT_EQ(body["user"], "团长");
    EXPECT_EQ(body["digest"], "abc");
}

TEST(WireRecords, LoginAnswerGivesTheTokenOrWhyNot) {
    EXPECT_EQ(parseLoginAnswer("{\"result\":1,\"token\":\"t1\"}").token, "t1");
    EXPECT_EQ(parseLoginAnswer("{\"result\":0}").failure, Failure::Refused);
    EXPECT_EQ(parseLoginAnswer("{\"result\":2,\"token\":\"t\"}").failure, Failure::Refused);
    for (const char* malformed : {"", "[1]", "{\"result\":1}", "{\"result\":1,\"token\":\"\"}",
                                  "{\"result\":1,\"token\":5}", "{\"token\":\"t\"}"})
        EXPECT_EQ(parseLoginAnswer(malformed).failure, Failure::Malformed) << malformed;
}

TEST(WireRecords, AccountAnswerBecomesGuildEntries) {
    const auto account = parseAccountAnswer(
        R"({"user":"u","defaultGuild":"g2","defaultGuildUrl":"http://h/s",
            "guilds":[{"guildId":"g1","dkpSystems":[]},
                      {"guildId":"g2","dkpSystems":[{"id":4294967295,"name":"主"}]}]})");
    ASSERT_TRUE(account);
    EXPECT_EQ(account->defaultGuildId, u"g2");
    ASSERT_EQ(account->guilds.size(), 2u);
    EXPECT_TRUE(account->guilds[0].dkpSystems.empty());
    EXPECT_EQ(account->guilds[1].dkpSystems[0].id, 4294967295u);
    EXPECT_EQ(account->guilds[1].dkpSystems[0].name, u"主");
}

TEST(WireRecords, AccountAnswerOfTheWrongShapeIsRefused) {
    const std::string good = R"({"user":"u","defaultGuild":"","defaultGuildUrl":"","guilds":[)";
    for (const std::string& bad :
         {std::string("{}"), good + "]", good + "5]}", good + R"({"guildId":1,"dkpSystems":[]}]})",
          good + R"({"guildId":"g"}]})",
          good + R"({"guildId":"g","dkpSystems":[{"id":-1,"name":"n"}]}]})",
          good + R"({"guildId":"g","dkpSystems":[{"id":1}]}]})"})
        EXPECT_FALSE(parseAccountAnswer(bad)) << bad;
    EXPECT_TRUE(parseAccountAnswer(good + "]}"));
}

TEST(WireRecords, UploadRequestCarriesTheFiveArguments) {
    const auto body = nlohmann::json::parse(
        uploadRequest(u"公会", 7, u"  ", u"备注", std::u16string(u"<RaidInfo>\xD800</RaidInfo>")));
    EXPECT_EQ(body["guildId"], "公会");
    EXPECT_EQ(body["dkpId"], 7);
    EXPECT_EQ(body["name"], "  ");
    EXPECT_EQ(body["note"], "备注");
    EXPECT_EQ(body["document"], "<RaidInfo>\xEF\xBF\xBD</RaidInfo>"); // a lone surrogate
}

TEST(WireRecords, UploadAnswerNeedsAnEventNumberForSuccess) {
    const auto created = parseUploadAnswer("{\"status\":200,\"eventId\":42}");
    ASSERT_TRUE(created);
    EXPECT_EQ(created->status, 200);
    EXPECT_EQ(created->eventId, 42);
    EXPECT_EQ(parseUploadAnswer("{\"status\":403}")->status, 403);
    EXPECT_FALSE(parseUploadAnswer("{\"status\":200,\"eventId\":-3}"));
    EXPECT_FALSE(parseUploadAnswer("{\"eventId\":3}"));
}

TEST(WireRecords, GuildListNeedsBothVariablesAndItsSiteNameIsSentAsUtf8) {
    EXPECT_TRUE(isGuildDkpList("Mer_DKP_UPDATETIME = \"1\"; MerDKP_Table = {}"));
    EXPECT_FALSE(isGuildDkpList("MerDKP_Table = {}"));
    EXPECT_FALSE(isGuildDkpList("<html>error</html>"));
    EXPECT_EQ(guildDkpListPath("\xE5\x85\xAC a&b", false),
              "/api/guild-dkp-list?site=%E5%85%AC%20a%26b&client=taiwan");
    EXPECT_EQ(guildDkpListPath("x", true), "/api/guild-dkp-list?site=x&client=mainland");
}

} // namespace
} // namespace wirekit
