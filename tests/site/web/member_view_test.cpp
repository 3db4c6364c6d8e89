// A member page's figures: which raids count in each attendance span, the chart's line and the
// ledger's times.
#include "web/member_view.h"

#include <gtest/gtest.h>

namespace dkpsite {
namespace {

TEST(MemberView, RaidStartsReadAsDaysOrNotAtAll) {
    EXPECT_EQ(raidDay("01/01/00 00:00:00"), 10957);
    EXPECT_EQ(raidDay("02/29/08 20:00:00"), 13938);
    EXPECT_EQ(raidDay("12/31/99"), 47481); // 2099
    for (const char* unreadable : {"", "2008-01-25", "13/01/08 20:00:00", "01/32/08 20:00:00",
                                   "1/2/08 20:00:00", "ab/cd/ef gh"})
        EXPECT_FALSE(raidDay(unreadable)) << unreadable;
}

TEST(MemberView, AttendanceCountsEachRaidInTheSpansItFallsIn) {
    const std::int64_t today = *raidDay("03/31/08 12:00:00");
    const std::vector<RaidPresence> raids = {
        {1, "a", "03/31/08 20:00:00", 0, true},  // today
        {2, "b", "03/02/08 20:00:00", 0, false}, // 29 days ago
        {3, "c", "03/01/08 20:00:00", 0, true},  // 30 days ago: not in the last 30
        {4, "d", "01/01/08 20:00:00", 0, true},  // 90 days ago
        {5, "e", "garbled", 13969LL * 24 * 60 * 60 * 1000, false}, // uploaded 03/31/08
        {6, "f", "04/01/08 20:00:00", 0, true},                    // after today: only in all time
    };
    const auto spans = attendanceSpans(raids, today);
    ASSERT_EQ(spans.size(), 4u);
    const std::pair<std::int64_t, std::int64_t> expected[] = {{1, 3}, {2, 4}, {2, 4}, {4, 6}};
    for (size_t i = 0; i < spans.size(); ++i) {
        EXPECT_EQ(spans[i].attended, expected[i].first) << spans[i].days;
        EXPECT_EQ(spans[i].raids, expected[i].second) << spans[i].days;
    }
    EXPECT_EQ(spans[0].percent(), 33);
    EXPECT_EQ(AttendanceSpan{}.percent(), 0);
}

TEST(MemberView, TheChartDrawsEachBalanceWithZeroInside) {
    EXPECT_FALSE(pointsChart({}, 100, 50));
    const auto chart = pointsChart({20, -40, -20, -10}, 100, 50);
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->highest, 20);
    EXPECT_EQ(chart->lowest, -40);
    EXPECT_EQ(chart->zeroY, "16.7");
    EXPECT_EQ(chart->points, "0,16.7 25.0,0.0 50.0,50.0 75.0,33.3 100.0,25.0");
    EXPECT_EQ(ledgerTimeText(1'700'000'000'123), "2023-11-14 22:13");
}

} // namespace
} // namespace dkpsite
