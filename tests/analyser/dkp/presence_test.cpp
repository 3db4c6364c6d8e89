#include "dkp/boss_kills.h"
#include "dkp/member.h"

#include <gtest/gtest.h>
#include <random>

using dkp::BossKill;
using dkp::BossKills;
using dkp::Member;

namespace {
std::vector<std::pair<std::int64_t, std::int64_t>> spans(const Member& member) {
    std::vector<std::pair<std::int64_t, std::int64_t>> out;
    for (const auto& span : member.presence)
        out.emplace_back(span.joinTime, span.leaveTime);
    return out;
}
using Spans = std::vector<std::pair<std::int64_t, std::int64_t>>;
} // namespace

TEST(Presence, JoinsStaySortedAndEqualJoinsKeepTheirOrder) {
    Member member;
    member.addJoinTime(100);
    member.addJoinTime(50);
    member.addJoinTime(100);
    member.addLeaveTime(120); // closes 50
    member.addLeaveTime(130); // closes the first 100
    EXPECT_EQ(spans(member), (Spans{{50, 120}, {100, 130}, {100, 0}}));
}

TEST(Presence, LeaveClosesTheEarliestOpenStayThatBeganBefore) {
    Member member;
    member.addJoinTime(50);
    member.addJoinTime(100);
    member.addLeaveTime(120);
    member.addLeaveTime(130);
    member.addLeaveTime(140);
    EXPECT_EQ(spans(member), (Spans{{50, 120}, {100, 130}}));
}

TEST(Presence, LeaveWithoutAnEarlierOpenJoinIsDropped) {
    Member member;
    member.addLeaveTime(10); // no stay at all
    member.addJoinTime(100);
    member.addLeaveTime(100); // same time as the join
    member.addLeaveTime(90);  // before the join
    EXPECT_EQ(spans(member), (Spans{{100, 0}}));
    member.addLeaveTime(101);
    EXPECT_EQ(spans(member), (Spans{{100, 101}}));
}

// Adding a member's stays in one go gives what adding its joins and then its leaves one by one
// gives: random logs with repeated, zero and negative times, and stays already there.
TEST(Presence, StaysAddedTogetherMatchStaysAddedOneByOne) {
    std::mt19937 random(27);
    std::uniform_int_distribution<std::int64_t> time(-3, 12);
    std::uniform_int_distribution<int> count(0, 8);
    for (int round = 0; round < 2000; ++round) {
        Member oneByOne;
        for (int i = count(random); i > 0; --i)
            oneByOne.addJoinTime(time(random));
        oneByOne.addLeaveTime(time(random));
        Member together = oneByOne;
        std::vector<std::int64_t> joins(static_cast<std::size_t>(count(random)));
        std::vector<std::int64_t> leaves(static_cast<std::size_t>(count(random)));
        for (auto* times : {&joins, &leaves})
            for (std::int64_t& t : *times)
                t = time(random);
        for (const std::int64_t t : joins)
            oneByOne.addJoinTime(t);
        for (const std::int64_t t : leaves)
            oneByOne.addLeaveTime(t);
        together.addStays(joins, leaves);
        ASSERT_EQ(spans(together), spans(oneByOne)) << "round " << round;
    }
}

TEST(Presence, CopiesAreDeep) {
    Member original;
    original.name = u"Alpha";
    original.addJoinTime(5);
    Member copy = original;
    copy.addLeaveTime(9);
    EXPECT_EQ(original.presence[0].leaveTime, 0);
    EXPECT_EQ(copy.presence[0].leaveTime, 9);
}

TEST(BossKillLookup, FirstOfTheNameOrTheSharedEmptyKill) {
    BossKills kills;
    kills.addBossKill(BossKill{u"Onyxia", 10, {u"A"}, 5});
    kills.addBossKill(BossKill{u"Onyxia", 20, {}, 7});
    EXPECT_EQ(kills.getBossKill(u"Onyxia").time, 10);
    EXPECT_EQ(kills.getBossKills().size(), 2u);

    const BossKill& missing = kills.getBossKill(u"onyxia");
    EXPECT_TRUE(missing.name.empty());
    EXPECT_EQ(missing.time, 0);
    EXPECT_TRUE(missing.attendees.empty());
    EXPECT_EQ(missing.dkp, 0);
    EXPECT_EQ(&missing, &BossKills().getBossKill(u"x"));
}
