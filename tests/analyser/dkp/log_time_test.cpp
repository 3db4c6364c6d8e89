#include "dkp/log_time.h"
#include "dkp/raid_log.h"
#include "time_zone.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

using namespace dkp;

// Seconds since 1970 below were worked out with date(1), independently of this code.
TEST(LogTime, RoundTripInTwoTimeZones) {
    const struct {
        const char* zone;
        std::int64_t time;
    } cases[] = {{"Asia/Shanghai", 1201262593}, {"America/New_York", 1201309393}};
    for (const auto& c : cases) {
        ScopedTimeZone zone(c.zone);
        if (!zone.active())
            continue;
        const std::int64_t time = parseLogTime(u"01/25/08 20:03:13");
        EXPECT_EQ(time, c.time) << c.zone;
        EXPECT_EQ(RaidLog::time2String(time), u"08/01/25 20:03:13") << c.zone;
        EXPECT_EQ(formatMonthFirst(time), u"01/25/08 20:03:13") << c.zone;
    }
}

namespace {

std::u16string wide(const char* text) {
    return std::u16string(text, text + std::strlen(text));
}

#ifndef _WIN32
std::string narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end());
}

// Every zone of the system's zone database, without its "posix/" and "right/" copies.
std::vector<std::string> allZones() {
    const std::filesystem::path root = "/usr/share/zoneinfo";
    std::vector<std::string> zones;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        const std::string relative = it->path().lexically_relative(root).string();
        if (it->is_directory() && (relative == "posix" || relative == "right")) {
            it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file() || it->is_symlink() || relative == "localtime" ||
            relative == "posixrules")
            continue;
        char magic[4] = {};
        std::ifstream(it->path(), std::ios::binary).read(magic, sizeof magic);
        if (std::memcmp(magic, "TZif", sizeof magic) == 0)
            zones.push_back(relative);
    }
    std::sort(zones.begin(), zones.end());
    return zones;
}
#endif

} // namespace

// A raid that started at 20:00 in the summer is named 20:00 and uploaded as 20:00.
TEST(LogTime, SummerTimesReadAsTheZoneShowsThem) {
    const struct {
        const char* zone;
        const char* text;
        std::int64_t time;
    } cases[] = {
        {"America/New_York", "07/15/24 20:00:00", 1721088000}, // 2024-07-16 00:00 UTC
        {"Europe/Berlin", "07/15/24 20:00:00", 1721066400},    // 2024-07-15 18:00 UTC
        {"America/New_York", "06/01/07 20:00:00", 1180742400}, // 2007-06-02 00:00 UTC
        {"Australia/Lord_Howe", "01/15/24 20:00:00", 1705309200},
        {"America/New_York", "01/15/24 20:00:00", 1705366800}, // winter: as before
        {"Europe/Berlin", "01/15/24 20:00:00", 1705345200},
    };
    for (const auto& c : cases) {
        ScopedTimeZone zone(c.zone);
        if (!zone.active())
            continue;
        const std::u16string text = wide(c.text);
        EXPECT_EQ(parseLogTime(text), c.time) << c.zone << " " << c.text;
        EXPECT_EQ(LogClock().parse(text), c.time) << c.zone << " " << c.text;
        EXPECT_EQ(formatMonthFirst(c.time), text) << c.zone;
    }
    ScopedTimeZone zone("America/New_York");
    if (!zone.active())
        GTEST_SKIP() << "runs in America/New_York";
    EXPECT_EQ(RaidLog::time2String(parseLogTime(u"07/15/24 20:00:00")), u"24/07/15 20:00:00");
}

// The hour that the clock shows twice reads as its first pass, whatever was read before it (the
// C library's mktime with tm_isdst = -1 answers by the conversion before); the skipped hour
// reads with the offset before the change.
TEST(LogTime, RepeatedHourReadsAsItsFirstPassAndSkippedHourWithTheEarlierOffset) {
    const struct {
        const char* zone;
        const char* text;
        std::int64_t time;
        const char* shownAs;
    } cases[] = {
        {"America/New_York", "11/03/24 01:30:00", 1730611800, "11/03/24 01:30:00"}, // 05:30 UTC
        {"America/New_York", "03/10/24 02:30:00", 1710055800, "03/10/24 03:30:00"}, // 07:30 UTC
        {"Europe/Berlin", "10/27/24 02:30:00", 1729989000, "10/27/24 02:30:00"},    // 00:30 UTC
        {"Europe/Berlin", "03/31/24 02:30:00", 1711848600, "03/31/24 03:30:00"},    // 01:30 UTC
        // Half an hour repeated (01:30 to 02:00) and skipped (02:00 to 02:30).
        {"Australia/Lord_Howe", "04/07/24 01:45:00", 1712414700, "04/07/24 01:45:00"},
        {"Australia/Lord_Howe", "10/06/24 02:15:00", 1728143100, "10/06/24 02:45:00"},
    };
    for (const auto& c : cases) {
        ScopedTimeZone zone(c.zone);
        if (!zone.active())
            continue;
        const std::u16string text = wide(c.text);
        for (const char16_t* before : {u"07/01/24 12:00:00", u"12/01/24 12:00:00"}) {
            EXPECT_NE(parseLogTime(before), 0);
            EXPECT_EQ(parseLogTime(text), c.time) << c.zone << " " << c.text;
            LogClock clock;
            EXPECT_NE(clock.parse(before), 0);
            EXPECT_EQ(clock.parse(text), c.time) << c.zone << " " << c.text;
        }
        EXPECT_EQ(formatMonthFirst(c.time), wide(c.shownAs)) << c.zone;
    }
}

// Linux only: the zone database and the C library are the reference.
#ifndef _WIN32
// Every time shown in the log's shape reads back as a time shown the same way: itself, or in a
// repeated hour its first pass. Hourly through a year in every zone, by parseLogTime and by a
// clock.
TEST(LogTime, EveryShownTimeReadsBackUnchangedInEveryZone) {
    const std::vector<std::string> zones = allZones();
    ASSERT_GT(zones.size(), 300u) << "the zone database is missing";
    const std::int64_t from = 1704067200 - 86400; // 2024-01-01 00:00 UTC, a day earlier
    const std::int64_t to = 1735689600 + 86400;   // 2025-01-01 00:00 UTC, a day later
    for (const std::string& zoneName : zones) {
        ScopedTimeZone zone(zoneName.c_str());
        LogClock clock;
        int mismatches = 0;
        for (std::int64_t hour = from; hour < to; hour += 3600) {
            // Minutes and seconds vary from hour to hour, so half and quarter hours are met.
            const std::int64_t time = hour + (hour / 3600 * 7 % 60) * 60 + hour / 3600 % 60;
            const std::u16string text = formatMonthFirst(time);
            const std::int64_t read = parseLogTime(text);
            const bool same = formatMonthFirst(read) == text &&
                              (read == time || (read < time && time - read <= 3 * 3600));
            if ((!same || clock.parse(text) != read) && ++mismatches <= 5)
                ADD_FAILURE() << zoneName << " " << narrow(text) << " " << time << " read as "
                              << read;
        }
        EXPECT_EQ(mismatches, 0) << zoneName;
    }
}
#endif

// Linux only: the zone database and the C library are the reference.
#ifndef _WIN32
// Without summer time a zone reads the text as before, when it was read as standard time. Both
// zones had summer time only in some years (Shanghai 1986 to 1991, Taipei 1974, 1975 and 1979).
TEST(LogTime, ZonesWithoutSummerTimeReadAsStandardTime) {
    const struct {
        const char* zone;
        std::vector<int> summerYears;
    } zones[] = {{"Asia/Shanghai", {1986, 1987, 1988, 1989, 1990, 1991}},
                 {"Asia/Taipei", {1974, 1975, 1979}}};
    for (const auto& z : zones) {
        ScopedTimeZone zone(z.zone);
        if (!zone.active())
            continue;
        LogClock clock;
        int mismatches = 0;
        for (int year = 1971; year <= 2099; ++year) {
            if (std::find(z.summerYears.begin(), z.summerYears.end(), year) != z.summerYears.end())
                continue;
            for (int month = 1; month <= 12; ++month)
                for (const int day : {1, 9, 17, 28})
                    for (int hour = 0; hour < 24; ++hour) {
                        std::tm fields{};
                        fields.tm_year = year - 1900;
                        fields.tm_mon = month - 1;
                        fields.tm_mday = day;
                        fields.tm_hour = hour;
                        fields.tm_min = (day + hour) % 60;
                        fields.tm_isdst = 0;
                        const std::int64_t standard = std::mktime(&fields);
                        char text[64];
                        std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d:00", month, day,
                                      year - 2000, hour, (day + hour) % 60);
                        const std::u16string time = wide(text);
                        if ((parseLogTime(time) != standard || clock.parse(time) != standard) &&
                            ++mismatches <= 5)
                            ADD_FAILURE() << z.zone << " " << text;
                    }
        }
        EXPECT_EQ(mismatches, 0) << z.zone;
    }
}
#endif

TEST(LogTime, TwoDigitYearsAreThisCenturyAndFieldsCarryOver) {
    ScopedTimeZone zone("Asia/Shanghai");
    if (!zone.active())
        GTEST_SKIP() << "runs in Asia/Shanghai";
    EXPECT_EQ(parseLogTime(u"12/31/99 23:59:59"), 4102415999);
    EXPECT_EQ(RaidLog::time2String(4102415999), u"99/12/31 23:59:59");
    EXPECT_EQ(parseLogTime(u"01/25/08 24:00:00"), 1201276800);
    EXPECT_EQ(parseLogTime(u"01/25/8 20:03:13"), 1201262593);
}

TEST(LogTime, WrongShapeGivesZeroAndImpossibleDatesMinusOne) {
    ScopedTimeZone zone("Asia/Shanghai");
    if (!zone.active())
        GTEST_SKIP() << "runs in Asia/Shanghai";
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
    if (!zone.active())
        GTEST_SKIP() << "runs in Asia/Shanghai";
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
        {"America/New_York", {7, 24}},    {"Europe/Berlin", {7, 24}},
        {"Australia/Lord_Howe", {7, 24}}, {"Antarctica/Troll", {24}}, // summer time two hours ahead
        {"Asia/Kathmandu", {-14}},                                    // 1986
        {"Asia/Pyongyang", {15, 18}},
    };
    for (const auto& [zoneName, years] : zones) {
        ScopedTimeZone zone(zoneName);
        if (!zone.active())
            continue;
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
    if (!zone.active())
        GTEST_SKIP() << "runs in America/New_York";
    LogClock clock;
    for (const std::u16string text :
         {u"", u"01/25/08", u"01/25/08 20:03:13 x", u"01-25-08 20:03:13", u"01/25/2008 20:03:13",
          u"01/25/08 24:00:00", u"02/30/07 10:75:00", u"13/01/07 10:00:60", u"03/11/07 02:30:00",
          u"11/04/07 01:30:00", u"12/31/99 23:59:59", u"12/31/975 23:59:59", u"01/01/-31 00:00:00",
          u"01/25/08 20.03.13", u"-2147483648/25/08 20:03:13"})
        EXPECT_EQ(clock.parse(text), parseLogTime(text)) << std::string(text.begin(), text.end());
}

// The game's own shape (two digits per field) is read by a shortcut; any other spelling of the
// same numbers takes the general way and must give the same time.
TEST(LogTime, WrittenShapeReadsAsAnyOtherSpellingOfItsNumbers) {
    ScopedTimeZone zone("Europe/Berlin");
    if (!zone.active())
        GTEST_SKIP() << "runs in Europe/Berlin";
    for (const char* text : {"01/25/08 20:03:13", "12/31/99 23:59:59", "03/30/08 02:30:00",
                             "00/00/00 00:00:00", "13/32/07 24:60:61", "10/26/08 02:59:59"}) {
        const std::string written(text);
        std::string respelled; // "001/025/008 020:003:013"
        for (std::size_t field = 0; field < 6; ++field)
            respelled += "0" + written.substr(field * 3, 3);
        const std::u16string shortcut(written.begin(), written.end());
        const std::u16string general(respelled.begin(), respelled.end());
        EXPECT_EQ(parseLogTime(shortcut), parseLogTime(general)) << text;
        EXPECT_EQ(LogClock().parse(shortcut), parseLogTime(general)) << text;
    }
}
