#include "dkp/boss_kills.h"
#include "dkp/member.h"

#include <gtest/gtest.h>

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
