#include "crafted_raid.h"
#include "dkp/attendance.h"

#include <gtest/gtest.h>

#include <numeric>

using dkp::MemberAttendance;

namespace {

const MemberAttendance& rowOf(const std::vector<MemberAttendance>& rows,
                              const std::u16string& name) {
    for (const MemberAttendance& row : rows)
        if (row.name == name)
            return row;
    ADD_FAILURE() << "no row for the member";
    static const MemberAttendance kNone;
    return kNone;
}

struct Expected {
    std::u16string name;
    std::int64_t seconds;
    double percentOfRaid;
    int kills;
    int killsInRaid;
    std::int64_t points;
};

void expectRows(const dkp::Raid& raid, const std::vector<Expected>& expected) {
    const std::vector<MemberAttendance> rows = dkp::computeAttendance(raid);
    for (const Expected& want : expected) {
        const MemberAttendance& row = rowOf(rows, want.name);
        SCOPED_TRACE(std::string(want.name.begin(), want.name.end()));
        EXPECT_EQ(row.secondsPresent, want.seconds);
        EXPECT_NEAR(row.percentOfRaid, want.percentOfRaid, 0.01);
        EXPECT_EQ(row.killsAttended, want.kills);
        EXPECT_EQ(row.killsInRaid, want.killsInRaid);
        EXPECT_NEAR(row.percentOfKills,
                    want.killsInRaid == 0 ? 0.0 : 100.0 * want.kills / want.killsInRaid, 0.01);
        EXPECT_EQ(row.pointsEarned, want.points);
    }
}

} // namespace

// Worked by hand from the sample log. Raid 1 runs 20:03:13 to 23:10:00 (11207 s); its third
// kill lists no attendees and so counts for every member, as the DKP earned does.
TEST(Attendance, SampleRaidWithRejoinsAndAKillWithoutAttendees) {
    RaidShelf shelf;
    const auto sample = shelf.sample();
    ASSERT_EQ(sample.size(), 4u);
    expectRows(*sample[0], {
                               {u"暗影之刃", 11207, 100.0, 3, 3, 45},
                               {u"Aldric", 11060, 98.69, 3, 3, 45},
                               // 20:10-21:15 and, after a rejoin, 21:40-23:05
                               {u"Brannoc", 9000, 80.31, 2, 3, 30},
                               {u"冰霜法师", 8250, 73.61, 3, 3, 45},
                               // no player information, one hour
                               {u"临时工", 3600, 32.12, 2, 3, 35},
                           });
    EXPECT_EQ(dkp::computeAttendance(*sample[0]).size(), 7u);
}

// Raid 2 has no end time of its own: it ends with its last leave, 22:20 (19:30 on: 10200 s).
// A kill without points counts as attended but earns nothing.
TEST(Attendance, SampleRaidEndingWithItsLastLeave) {
    RaidShelf shelf;
    const auto sample = shelf.sample();
    expectRows(*sample[1], {
                               // 19:32-20:30 and 20:50-22:15
                               {u"Elwen", 8580, 84.12, 3, 4, 35},
                               {u"Fenris", 9900, 97.06, 4, 4, 45},
                           });
    expectRows(*sample[2], {{u"月影", 2700, 100.0, 0, 0, 0}});
}

// Raid 4 runs past midnight, 20:00 to 00:30 (16200 s).
TEST(Attendance, SampleRaidPastMidnight) {
    RaidShelf shelf;
    const auto sample = shelf.sample();
    expectRows(*sample[3], {
                               // 20:09-21:00, 21:30-22:00, 23:00-00:30
                               {u"雷霆之怒", 10260, 63.33, 2, 3, 70},
                               {u"风暴行者", 15600, 96.30, 3, 3, 90},
                           });
}

TEST(Attendance, PointsOfAllMembersAddUpToTheDkpEarned) {
    RaidShelf shelf;
    for (const dkp::Raid* raid : shelf.sample()) {
        const auto rows = dkp::computeAttendance(*raid);
        const std::int64_t sum =
            std::accumulate(rows.begin(), rows.end(), std::int64_t{0},
                            [](std::int64_t total, const MemberAttendance& row) {
                                return total + row.pointsEarned;
                            });
        EXPECT_EQ(sum, raid->getTotalObtain());
    }
}

TEST(Attendance, OverlappingStaysCountOnceAndOpenStaysRunToTheEnd) {
    CraftedRaid crafted;
    crafted.joins = {{u"Twice", u"03/01/08 20:00:00"},
                     {u"Twice", u"03/01/08 20:30:00"}, // joined again while still in
                     {u"Open", u"03/01/08 22:00:00"},
                     {u"Early", u"03/01/08 19:00:00"},
                     {u"Late", u"03/01/08 22:30:00"},
                     {u"Same", u"03/01/08 20:00:00"},
                     {u"Same", u"03/01/08 20:00:00"}};
    crafted.leaves = {{u"Twice", u"03/01/08 21:00:00"}, {u"Twice", u"03/01/08 21:30:00"},
                      {u"Early", u"03/01/08 20:30:00"}, {u"Late", u"03/01/08 23:45:00"},
                      {u"Same", u"03/01/08 20:30:00"},  {u"Same", u"03/01/08 20:30:00"}};
    RaidShelf shelf;
    expectRows(shelf.add(crafted), {
                                       {u"Twice", 5400, 50.0, 0, 0, 0},  // 20:00-21:30 once
                                       {u"Open", 3600, 33.33, 0, 0, 0},  // to the end, 23:00
                                       {u"Early", 1800, 16.67, 0, 0, 0}, // from the start on
                                       {u"Late", 1800, 16.67, 0, 0, 0},  // up to the end
                                       {u"Same", 1800, 16.67, 0, 0, 0},
                                   });
}

// Without an end time (and without leaves to take it from) the raid is counted up to the
// latest time in the log; the open stays end there.
TEST(Attendance, RaidWithoutEndTimeEndsWithTheLatestTimeInTheLog) {
    CraftedRaid crafted;
    crafted.end.clear();
    crafted.joins = {{u"Alpha", u"03/01/08 20:00:00"}, {u"Beta", u"03/01/08 21:00:00"}};
    crafted.kills = {{u"Boss", u"03/01/08 21:30:00", u"10", {u"Alpha"}}};
    crafted.loot = {{u"Beta", u"Sword", u"03/01/08 22:00:00", u"5", u"Boss", u"1"}};
    RaidShelf shelf;
    const dkp::Raid& raid = shelf.add(crafted);
    EXPECT_EQ(raid.getRaidLog().getRaidEndTime(), 0);
    const dkp::RaidPeriod period = dkp::raidPeriod(raid);
    EXPECT_EQ(period.seconds(), 7200);
    expectRows(raid, {{u"Alpha", 7200, 100.0, 1, 1, 10}, {u"Beta", 3600, 50.0, 0, 1, 0}});
}

TEST(Attendance, RaidWithoutAnyTimeGivesZeroesNotADivisionByZero) {
    CraftedRaid crafted;
    crafted.start.clear();
    crafted.end.clear();
    crafted.players = {u"Alpha"};
    RaidShelf shelf;
    const dkp::Raid& raid = shelf.add(crafted);
    EXPECT_EQ(dkp::raidPeriod(raid).seconds(), 0);
    expectRows(raid, {{u"Alpha", 0, 0.0, 0, 0, 0}});
}
