#pragma once

#include "raidsift/export.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

// Times are seconds since 1970-01-01 00:00:00 UTC. The calendar covers 1970 to the end of the
// year 3000 (UTC); a time outside it cannot be converted.
namespace dkp {

inline constexpr std::int64_t kUnconvertibleTime = -1;
inline constexpr std::int64_t kLastConvertibleTime = 32535215999; // 3000-12-31 23:59:59 UTC

// A time the log really names: it reads 0 for a missing or shapeless time and -1 for one the
// calendar cannot hold.
inline constexpr bool isKnownTime(std::int64_t time) {
    return time > 0;
}

// Reads the log's "month/day/yy hours:minutes:seconds" as local time by the zone's own rules
// for that year (utilkit/utime.h), summer time included, so that formatMonthFirst gives the text
// back (two-digit years are 20yy; fields out of range carry over as in mktime). A clock time that
// occurs twice (the hour repeated when summer time ends) reads as the earlier time; one that the
// clock skips (when summer time starts) reads with the offset before the change, as the time that
// far past the change. A text of the wrong shape gives 0; a date the calendar cannot hold gives -1.
RAIDSIFT_API std::int64_t parseLogTime(const std::u16string& text);

// Reads log times exactly as parseLogTime does, for many times in a row. Each conversion asks
// the system about the zone several times, which would dominate the reading of a large log;
// a clock converts the start of each local hour once and counts the minutes and seconds on
// from there, except in an hour in which the zone changes. A clock serves one batch of times
// read under one zone, the zone in force when the clock was made.
class RAIDSIFT_API LogClock {
public:
    LogClock();
    std::int64_t parse(std::u16string_view text);
    // The same for the text's UTF-8 bytes.
    std::int64_t parse(std::string_view utf8);

private:
    // A remembered local hour: its key (year, month, day, hour) and the time of its start.
    struct Hour {
        std::int64_t key;
        std::int64_t start;
    };

    std::int64_t timeOf(const std::tm& fields);
    // The start of the fields' hour, or a mark that minutes and seconds cannot simply be
    // counted on from it (the zone changes within the hour).
    std::int64_t hourStart(std::int64_t hourKey, const std::tm& fields);
    std::int64_t rawHourStart(std::int64_t hourKey, const std::tm& start);

    // Each hour has one slot, chosen by its key; a newer hour takes the slot over.
    std::vector<Hour> hours_;
};

// Local time as "yy/mm/dd hh:mm:ss" (the raid's display name), or empty when unconvertible.
RAIDSIFT_API std::u16string formatYearFirst(std::int64_t time);

// Local time as "mm/dd/yy hh:mm:ss", the log's own shape, or empty when unconvertible.
RAIDSIFT_API std::u16string formatMonthFirst(std::int64_t time);

// Local time as "yyyy-mm-dd hh:mm:ss", which spreadsheets read as a date and time, or empty
// when unconvertible.
RAIDSIFT_API std::u16string formatFullDate(std::int64_t time);

} // namespace dkp
