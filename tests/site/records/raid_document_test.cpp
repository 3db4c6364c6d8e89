#include "records/raid_document.h"
#include "sample_raid.h"

#include <gtest/gtest.h>

namespace dkpsite {
namespace {

RaidDocument parsed(const std::string& text) {
    std::string error;
    auto raid = parseRaidDocument(text, error);
    EXPECT_TRUE(raid) << error;
    return raid.value_or(RaidDocument{});
}

TEST(RaidDocument, ReadsEveryElementOfAnExportedRaid) {
    const RaidDocument raid = parsed(dkpsite_testing::sampleRaidDocument());
    EXPECT_EQ(raid.key, "01/25/08 20:03:13");
    EXPECT_EQ(raid.realm, "Sample Realm");
    EXPECT_EQ(raid.end, "01/25/08 23:10:00");
    EXPECT_EQ(raid.zone, "Sample Keep");
    ASSERT_EQ(raid.members.size(), 2u);
    EXPECT_EQ(raid.members[1].name, "PlayerTwo");
    EXPECT_EQ(raid.members[1].race, "NightElf");
    EXPECT_EQ(raid.members[1].guild, "");
    EXPECT_EQ(raid.members[1].playerClass, "Priest");
    EXPECT_EQ(raid.members[1].level, 70);
    ASSERT_EQ(raid.kills.size(), 1u);
    EXPECT_EQ(raid.kills[0].boss, "Sample Boss");
    EXPECT_EQ(raid.kills[0].dkp, 10);
    EXPECT_EQ(raid.kills[0].attendees, (std::vector<std::string>{"PlayerOne", "PlayerTwo"}));
    ASSERT_EQ(raid.loot.size(), 1u);
    EXPECT_EQ(raid.loot[0].itemId, "12345");
    EXPECT_EQ(raid.loot[0].color, "ffa335ee");
    EXPECT_EQ(raid.loot[0].player, "PlayerOne");
    EXPECT_EQ(raid.loot[0].costs, 50);
    EXPECT_EQ(raid.loot[0].boss, "Sample Boss");
}

TEST(RaidDocument, KeepsUnescapedMarkupInsideTexts) {
    const RaidDocument raid = parsed(dkpsite_testing::sampleRaidDocument());
    EXPECT_EQ(raid.note, "bring <flasks> & food");
    EXPECT_EQ(raid.loot[0].tooltip, "<Right Click to Read>");
    // A text that looks like a sibling element is still only text.
    const RaidDocument tricky = parsed(
        "<RaidInfo><key></key><realm>a</b></realm><start></start><end></end><zone></zone>"
        "<PlayerInfos></PlayerInfos><BossKills></BossKills><note><Loot><key1></note><Loot></Loot>"
        "</RaidInfo>");
    EXPECT_EQ(tricky.realm, "a</b>");
    EXPECT_EQ(tricky.note, "<Loot><key1>");
    EXPECT_TRUE(tricky.loot.empty());
}

TEST(RaidDocument, NumbersEntriesFromOneInEveryListAndAcceptsManyDigits) {
    std::string members;
    for (int n = 1; n <= 11; ++n)
        members += "<key" + std::to_string(n) + "><name>P" + std::to_string(n) +
                   "</name><race></race><guild></guild><sex></sex><class></class><level>-</level>"
                   "</key" +
                   std::to_string(n) + ">";
    std::string kill = "<name>B</name><dkp>-5</dkp><time></time><attendees><key1><name>P11</name>"
                       "</key1></attendees>";
    const RaidDocument raid =
        parsed("<RaidInfo><key></key><realm></realm><start></start><end></end><zone></zone>"
               "<PlayerInfos>" +
               members + "</PlayerInfos><BossKills><key1>" + kill + "</key1><key2>" + kill +
               "</key2></BossKills><note></note><Loot></Loot></RaidInfo>");
    ASSERT_EQ(raid.members.size(), 11u);
    EXPECT_EQ(raid.members[10].name, "P11");
    EXPECT_EQ(raid.members[10].level, 0); // not a number
    ASSERT_EQ(raid.kills.size(), 2u);
    EXPECT_EQ(raid.kills[1].dkp, -5);
    EXPECT_EQ(raid.kills[1].attendees, std::vector<std::string>{"P11"});
}

TEST(RaidDocument, RefusesNumbersBeyondTheLimitInEveryNumberElement) {
    const std::string good = dkpsite_testing::sampleRaidDocument();
    const std::string limit = std::to_string(kMaxDocumentNumber);
    for (const std::string element : {"level", "dkp", "Count", "Costs"}) {
        const std::string open = "<" + element + ">";
        const size_t start = good.find(open) + open.size();
        const size_t length = good.find("</" + element + ">", start) - start;
        for (const std::string& beyond :
             {std::to_string(kMaxDocumentNumber + 1), std::to_string(-kMaxDocumentNumber - 1),
              std::string("9223372036854775807"), std::string("-9223372036854775808"),
              std::string("99999999999999999999")}) {
            std::string text = good;
            std::string error;
            EXPECT_FALSE(parseRaidDocument(text.replace(start, length, beyond), error))
                << element << " " << beyond;
            EXPECT_NE(error.find(element), std::string::npos) << error;
        }
        for (const std::string& within : {limit, "-" + limit}) {
            std::string text = good;
            parsed(text.replace(start, length, within));
        }
    }
}

TEST(RaidDocument, ToleratesWhiteSpaceBetweenElements) {
    const RaidDocument raid =
        parsed("<RaidInfo>\n <key>k</key>\n<realm>r</realm><start></start><end></end>"
               "<zone></zone>\r\n<PlayerInfos>\n</PlayerInfos> <BossKills></BossKills>"
               "<note> spaced </note><Loot></Loot></RaidInfo>\n");
    EXPECT_EQ(raid.key, "k");
    EXPECT_EQ(raid.note, " spaced ");
}

TEST(RaidDocument, RefusesDocumentsOutOfShape) {
    const std::string good = dkpsite_testing::sampleRaidDocument();
    for (const std::string& bad :
         {std::string(), std::string("not a document"), good.substr(0, good.size() - 3),
          good + "trailing", std::string("<RaidInfo><realm></realm></RaidInfo>"),
          std::string("<RaidInfo><key>never closed")}) {
        std::string error;
        EXPECT_FALSE(parseRaidDocument(bad, error)) << bad;
        EXPECT_FALSE(error.empty());
    }
    // An entry numbered out of order ends its list, which then fails to close.
    std::string skipped = good;
    skipped.replace(skipped.find("<key2><name>PlayerTwo"), 6, "<key3>");
    std::string error;
    EXPECT_FALSE(parseRaidDocument(skipped, error));
}

} // namespace
} // namespace dkpsite

namespace dkpsite {
namespace {

// The sample document with the content of its first element `name` replaced by `content`.
std::string withContent(const std::string& name, const std::string& content) {
    std::string document = dkpsite_testing::sampleRaidDocument();
    const std::string open = "<" + name + ">", close = "</" + name + ">";
    const std::size_t start = document.find(open) + open.size();
    return document.replace(start, document.find(close, start) - start, content);
}

TEST(RaidDocument, EveryTextIsBoundedByWhatItNames) {
    using namespace document_limits;
    const std::pair<const char*, std::size_t> texts[] = {
        {"key", kWord},       {"realm", kTitle},  {"start", kWord},   {"end", kWord},
        {"zone", kTitle},     {"name", kName},    {"race", kWord},    {"guild", kTitle},
        {"sex", kWord},       {"class", kWord},   {"time", kWord},    {"note", kNote},
        {"ItemName", kTitle}, {"ItemID", kTitle}, {"Icon", kTitle},   {"Class", kWord},
        {"SubClass", kWord},  {"Color", kWord},   {"Player", kName},  {"Time", kWord},
        {"Zone", kTitle},     {"Boss", kTitle},   {"Tooltip", kNote},
    };
    for (const auto& [name, limit] : texts) {
        std::string error;
        // Texts of multi-byte letters count in bytes: "晨" is three.
        const std::string longest = std::string(limit % 3, 'x') + [limit = limit] {
            std::string letters;
            for (std::size_t i = 0; i < limit / 3; ++i)
                letters += "晨";
            return letters;
        }();
        EXPECT_TRUE(parseRaidDocument(withContent(name, longest), error)) << name << ": " << error;
        EXPECT_FALSE(parseRaidDocument(withContent(name, longest + "x"), error)) << name;
        EXPECT_NE(error.find(name), std::string::npos) << error;
    }
    // A class text of 12 MiB, which would swell every guild list that names its member.
    std::string error;
    EXPECT_FALSE(parseRaidDocument(withContent("class", std::string(12 << 20, 'c')), error));
}

TEST(RaidDocument, RefusesTextThatIsNotUtf8AndListsOverTheirLimit) {
    std::string error;
    EXPECT_FALSE(parseRaidDocument(withContent("note", "\xC3\x28"), error));
    EXPECT_EQ(error, "the document is not UTF-8");

    std::string attendees;
    for (std::size_t n = 1; n <= document_limits::kMembers + 1; ++n)
        attendees += "<key" + std::to_string(n) + "><name>P</name></key" + std::to_string(n) + ">";
    EXPECT_FALSE(parseRaidDocument(withContent("attendees", attendees), error));
    EXPECT_NE(error.find("more than"), std::string::npos) << error;
}

} // namespace
} // namespace dkpsite
