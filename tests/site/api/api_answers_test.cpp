// The protocol's answers called directly, without a network.
#include "api/api_answers.h"
#include "api/json_depth.h"
#include "sample_raid.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace dkpsite {
namespace {

using nlohmann::json;

std::string nested(int depth, const std::string& inner = "") {
    return std::string(static_cast<size_t>(depth), '[') + inner +
           std::string(static_cast<size_t>(depth), ']');
}

class ApiAnswersTest : public ::testing::Test {
protected:
    ApiAnswersTest() {
        const std::int64_t user = store_.addUser("leader", "digest");
        const std::int64_t guild = store_.addGuild("Guild", "guild_dkp", 0);
        system_ = store_.addDkpSystem(guild, "Main");
        store_.addMembership(user, guild, true);
        token_ =
            json::parse(answerLogin(logins_, loginBody("digest"), "", 0).body).value("token", "");
    }

    static std::string loginBody(const std::string& digest) {
        return json{{"user", "leader"}, {"digest", digest}}.dump();
    }

    json uploadRequest(const std::string& document) const {
        return {{"guildId", "Guild"},
                {"dkpId", system_},
                {"name", "event"},
                {"note", ""},
                {"document", document}};
    }

    SiteStore store_{":memory:", 1000};
    LoginThrottle throttle_{store_};
    PasswordWork work_{1, 8};
    LoginGate logins_{store_, throttle_, work_, 1000};
    std::int64_t system_ = 0;
    std::string token_;
};

TEST_F(ApiAnswersTest, DeeplyNestedBodiesAreRefusedBeforeAnyoneIsAskedWhoTheyAre) {
    // About 200 KB, nested a hundred thousand deep inside an object.
    const std::string deep = "{\"user\": " + nested(100000) + ", \"digest\": \"digest\"}";
    EXPECT_EQ(answerLogin(logins_, deep, "", 0).status, 400);
    EXPECT_EQ(answerUpload(store_, "", deep, 0).status, 400);
    EXPECT_EQ(
        answerUpload(store_, token_, "{\"guildId\": " + nested(kMaxJsonDepth) + "}", 0).status,
        400);
    // Nesting up to the bound is read as usual: a login with an extra nested field still works.
    const std::string extra =
        "{\"user\": \"leader\", \"digest\": \"digest\", \"x\": " + nested(kMaxJsonDepth - 1) + "}";
    EXPECT_EQ(answerLogin(logins_, extra, "", 0).status, 200);
}

TEST(JsonDepth, CountsOnlyBracketsOutsideStrings) {
    EXPECT_FALSE(jsonNestsDeeperThan("", 0));
    EXPECT_FALSE(jsonNestsDeeperThan("{\"a\": [1, {\"b\": 2}]}", 3));
    EXPECT_TRUE(jsonNestsDeeperThan("{\"a\": [1, {\"b\": 2}]}", 2));
    EXPECT_FALSE(jsonNestsDeeperThan("[\"[[[[{{{{\"]", 1));
    // An escaped quote does not end the string; an escaped backslash before the quote does.
    EXPECT_FALSE(jsonNestsDeeperThan("[\"\\\"[[[\"]", 1));
    EXPECT_TRUE(jsonNestsDeeperThan("[\"\\\\\", [[]]]", 2));
    // Closing brackets without openers never lower the count below zero.
    EXPECT_TRUE(jsonNestsDeeperThan("]]]]" + nested(3), 2));
}

TEST_F(ApiAnswersTest, UploadAnswersEveryOutcomeWithItsStatus) {
    const std::string document = dkpsite_testing::sampleRaidDocument();
    const ApiAnswer created = answerUpload(store_, token_, uploadRequest(document).dump(), 5);
    ASSERT_EQ(created.status, 200) << created.body;
    const std::int64_t eventId = json::parse(created.body)["eventId"];
    EXPECT_EQ(json::parse(answerEvent(store_, eventId).body)["raid"]["kills"][0]["dkp"], 10);
    EXPECT_EQ(answerEvent(store_, eventId + 1).status, 404);
    EXPECT_EQ(answerUpload(store_, "", uploadRequest(document).dump(), 5).status, 401);
    EXPECT_EQ(answerUpload(store_, token_, uploadRequest("<RaidInfo>").dump(), 5).status, 400);
    EXPECT_EQ(answerUpload(store_, token_, "[1]", 5).status, 400);
    EXPECT_EQ(answerUpload(store_, token_, "{\"guildId\": ", 5).status, 400);
}

} // namespace
} // namespace dkpsite
