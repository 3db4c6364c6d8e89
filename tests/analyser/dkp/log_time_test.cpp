#include "dkp/log_time.h"
#include "dkp/raid_log.h"
#include "time_zone.h"

#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

using namespace dkp;

// Seconds since 1970 below were worked out with date(1), independently of this code.
TEST(LogTime, RoundTripInTwoTimeZones) {
    {
        ScopedTimeZone zone("Asia/Shanghai");
        const std::int64_t time = parseLogTime(u"01/25/08 20:03:13");
        EXPECT_EQ(time, 1201262593);
        EXPECT_EQ(RaidLog::time2String(time), u"08/01/25 20:03:13");
        EXPECT_EQ(formatMonthFirst(time), u"01/25/08 20:03:13");
    }
    {
        ScopedTimeZone zone("America/New_York");
        const std::int64_t time = parseLogTime(u"01/25/08 20:03:13");
        EXPECT_EQ(time, 1201309393);
        EXPECT_EQ(RaidLog::time2String(time), u"08/01/25 20:03:13");
        EXPECT_EQ(formatMonthFirst(time), u"01/25/08 20:03:13");
    }
}

TEST(LogTime, ReadAsStandardTimeEvenInSummer) {
    ScopedTimeZone zone("America/New_York");
    // 20:00 standard time is 21:00 daylight time: one hour off on the way back.
    const std::int64_t time = parseLogTime(u"06/01/07 20:00:00");
    EXPECT_EQ(time, 1180746000);
    EXPECT_EQ(RaidLog::time2String(time), u"07/06/01 21:00:00");
}

TEST(LogTime, TwoDigitYearsAreThisCenturyAndFieldsCarryOver) {
    ScopedTimeZone zone("Asia/Shanghai");
    EXPECT_EQ(parseLogTime(u"12/31/99 23:59:59"), 4102415999);
    EXPECT_EQ(RaidLog::time2String(4102415999), u"99/12/31 23:59:59");
    EXPECT_EQ(parseLogTime(u"01/25/08 24:00:00"), 1201276800);
    EXPECT_EQ(parseLogTime(u"01/25/8 20:03:13"), 1201262593);
}

TEST(LogTime, WrongShapeGivesZeroAndImpossibleDatesMinusOne) {
    ScopedTimeZone zone("Asia/Shanghai");
    EXPECT_EQ(parseLogTime(u""), 0);
    EXPECT_EQ(parseLogTime(u"01/25/08"), 0);
    EXPECT_EQ(parseLogTime(u"01/25/08 20:03:13 x"), 0);
    EXPECT_EQ(parseLogTime(u"01/25/08  20:03:13"), 0); // doubled blank: three pieces
    EXPECT_EQ(parseLogTime(u"01-25-08 20:03:13"), -1); // date fields all 0
    EXPECT_EQ(parseLogTime(u"01/25/2008 20:03:13"), -1);
    EXPECT_EQ(parseLogTime(u"01/25/2147483647 20:03:13"), -1);
    EXPECT_EQ(parseLogTime(u"-2147483648/25/08 20:03:13"), -1);
    // Only the clock malformed: the date alone at midnight.
    EXPECT_EQ(parseLogTime(u"01/25/08 20.03.13"), 1201190400);
}

TEST(LogTime, UnconvertibleTimesPrintEmpty) {
    ScopedTimeZone zone("Asia/Shanghai");
    EXPECT_EQ(RaidLog::time2String(-1), u"");
    EXPECT_EQ(formatMonthFirst(-1), u"");
    EXPECT_EQ(formatMonthFirst(kLastConvertibleTime + 1), u"");
    // Time 0 is 1970 here: the two-digit year field goes negative.
    EXPECT_EQ(formatMonthFirst(0), u"01/01/-30 08:00:00");
}

// A clock counts on from the start of each hour; across zone changes (summer time, half-hour
// summer time, a zone moving by 15 or 30 minutes) it must still agree with a conversion per time.
TEST(LogClock, AgreesWithParseLogTimeThroughZoneChanges) {
    const std::vector<std::pair<const char*, std::vector<int>>> zones = {
        {"America/New_York", {7}},
        {"Australia/Lord_Howe", {7}},
        {"Asia/Kathmandu", {-14}}, // 1986
        {"Asia/Pyongyang", {15, 18}},
    };
    for (const auto& [zoneName, years] : zones) {
        ScopedTimeZone zone(zoneName);
        LogClock clock;
        int mismatches = 0;
        for (const int year : years)
            for (int month = 1; month <= 12; ++month)
                for (int day = 1; day <= 31; ++day)
                    for (int hour = 0; hour < 24; ++hour)
                        for (const int minute : {0, (day * 7 + hour) % 60, 59}) {
                            char text[64];
                            std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d:%02d", month,
                                          day, year, hour, minute, 59 - minute);
                            const std::u16string time(text, text + std::strlen(text));
                            if (clock.parse(time) != parseLogTime(time) && ++mismatches <= 5)
                                ADD_FAILURE() << zoneName << " " << text;
                        }
        EXPECT_EQ(mismatches, 0) << zoneName;
    }
}

TEST(LogClock, AgreesWithParseLogTimeOnOddTexts) {
    ScopedTimeZone zone("America/New_York");
    LogClock clock;
    for (const std::u16string text :
         {u"", u"01/25/08", u"01/25/08 20:03:13 x", u"01-25-08 20:03:13", u"01/25/2008 20:03:13",
          u"01/25/08 24:00:00", u"02/30/07 10:75:00", u"13/01/07 10:00:60", u"03/11/07 02:30:00",
          u"11/04/07 01:30:00", u"12/31/99 23:59:59", u"12/31/975 23:59:59", u"01/01/-31 00:00:00",
          u"01/25/08 20.03.13", u"-2147483648/25/08 20:03:13"})
        EXPECT_EQ(clock.parse(text), parseLogTime(text)) << std::string(text.begin(), text.end());
}
