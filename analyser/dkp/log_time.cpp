#include "dkp/log_time.h"

#include "dkp/value_tables.h"
#include "utilkit/ustring.h"
#include "utilkit/utime.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <limits>
#include <optional>
#include <string>

namespace dkp {
namespace {

constexpr int kFieldLimit = 1000000000;
constexpr std::int64_t kNoHourStart = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kSecondsPerHour = 3600;
constexpr std::size_t kHourSlots = 4096;
constexpr std::int64_t kNoHourKey = std::numeric_limits<std::int64_t>::min();

bool isConvertible(std::int64_t time) {
    return time >= 0 && time <= kLastConvertibleTime;
}

// Splits at `separator`; the three pieces as numbers, or nothing when there are not three.
std::optional<std::array<int, 3>> threeNumbers(std::u16string_view text, char16_t separator) {
    if (text.empty() || std::count(text.begin(), text.end(), separator) != 2)
        return std::nullopt;
    const std::size_t first = text.find(separator);
    const std::size_t second = text.find(separator, first + 1);
    return std::array<int, 3>{parseDecimal(text.substr(0, first)),
                              parseDecimal(text.substr(first + 1, second - first - 1)),
                              parseDecimal(text.substr(second + 1))};
}

// The shape in which the game writes every time, "mm/dd/yy hh:mm:ss" with two digits each, read
// without searching: what readFields reads from it. False for any other text. The shape is
// ASCII, so its UTF-8 bytes are read as they are.
template <typename Char> bool readWrittenShape(std::basic_string_view<Char> text, std::tm& fields) {
    constexpr std::string_view kShape = "00/00/00 00:00:00";
    if (text.size() != kShape.size())
        return false;
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        const bool digit = text[i] >= Char('0') && text[i] <= Char('9');
        if (kShape[i] == '0' ? !digit : text[i] != Char(kShape[i]))
            return false;
    }
    auto number = [&](std::size_t at) { return (text[at] - u'0') * 10 + (text[at + 1] - u'0'); };
    fields = std::tm{};
    fields.tm_mon = number(0) - 1;
    fields.tm_mday = number(3);
    fields.tm_year = number(6) + 100;
    fields.tm_hour = number(9);
    fields.tm_min = number(12);
    fields.tm_sec = number(15);
    return true;
}

// Reads the fields of a log time for mktime. False for a text that names no time, with what
// it reads as in `early`: 0 for the wrong shape, -1 for numbers no calendar date can have.
bool readFields(std::u16string_view text, std::tm& fields, std::int64_t& early) {
    if (readWrittenShape(text, fields))
        return true;
    const std::size_t blank = text.find(u' ');
    if (blank == text.npos || text.find(u' ', blank + 1) != text.npos) {
        early = 0;
        return false;
    }
    fields = std::tm{};
    if (const auto date = threeNumbers(text.substr(0, blank), u'/')) {
        // Numbers this far out cannot name a convertible date; this also keeps the month
        // and year arithmetic below from overflowing.
        for (const int number : *date)
            if (number < -kFieldLimit || number > kFieldLimit) {
                early = kUnconvertibleTime;
                return false;
            }
        fields.tm_mon = (*date)[0] - 1;
        fields.tm_mday = (*date)[1];
        fields.tm_year = (*date)[2] + 100;
    }
    if (const auto clock = threeNumbers(text.substr(blank + 1), u':')) {
        fields.tm_hour = (*clock)[0];
        fields.tm_min = (*clock)[1];
        fields.tm_sec = (*clock)[2];
    }
    return true;
}

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t floorDivide(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Days from 1970-01-01 to the given proleptic Gregorian date (month 1 to 12).
std::int64_t daysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2;
    const std::int64_t era = floorDivide(year, 400);
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The clock reading of the fields in seconds, counted as if local time were UTC. Fields out of
// their usual range carry over as mktime carries them: the month into the year, then days,
// hours, minutes and seconds on from the first of that month.
std::int64_t wallSeconds(const std::tm& fields) {
    const std::int64_t year = std::int64_t{fields.tm_year} + 1900 + floorDivide(fields.tm_mon, 12);
    const int month = static_cast<int>(fields.tm_mon - floorDivide(fields.tm_mon, 12) * 12);
    const std::int64_t days = daysFromCivil(year, month + 1, 1) + fields.tm_mday - 1;
    return days * kSecondsPerDay + std::int64_t{fields.tm_hour} * 3600 +
           std::int64_t{fields.tm_min} * 60 + fields.tm_sec;
}

// How far the local clock is ahead of UTC at `time` (what it shows minus the time itself).
std::optional<std::int64_t> localOffset(std::int64_t time) {
    const std::optional<std::tm> fields = utime::localFields(time);
    if (!fields)
        return std::nullopt;
    return wallSeconds(*fields) - time;
}

// The time at which the local clock shows the fields, by the zone's own rules, summer time
// included (unchecked: it may lie outside the calendar). Where the clock shows the fields twice
// (the hour repeated when summer time ends) the earlier time; where it skips them (the hour
// that summer time starts with) the fields read with the offset in force before the change,
// that is the time as far past the change as the fields are past its start. Unlike
// mktime(tm_isdst = -1), whose choice in a repeated hour depends on the conversions before it,
// the answer depends on the fields and the zone alone. The zone is the one this thread last
// read (see localTime).
//
// The zone's offsets a day before and a day after the clock reading bracket every offset that
// can apply, since the offset is less than a day and no zone changes twice within two days.
std::int64_t timeInReadZone(const std::tm& fields) {
    const std::int64_t wall = wallSeconds(fields);
    if (wall < -kSecondsPerDay || wall > kLastConvertibleTime + kSecondsPerDay)
        return kUnconvertibleTime; // no offset brings it into the calendar
    const std::optional<std::int64_t> before = localOffset(wall - kSecondsPerDay);
    const std::optional<std::int64_t> after = localOffset(wall + kSecondsPerDay);
    if (!before || !after)
        return kUnconvertibleTime;
    // Only where the offset drops can both readings be right; the one with the old offset is
    // then the earlier.
    const std::int64_t early = wall - *before;
    if (localOffset(early) == before)
        return early;
    const std::int64_t late = wall - *after;
    if (localOffset(late) == after)
        return late;
    return early;
}

// The same in the zone in force now.
std::int64_t localTime(const std::tm& fields) {
    utime::readLocalZoneIfChanged();
    return timeInReadZone(fields);
}

std::int64_t convertible(std::int64_t time) {
    return isConvertible(time) ? time : kUnconvertibleTime;
}

// Every field in its usual range, so that the time lies within the hour that its date and
// hour name.
bool isOrdinaryClock(const std::tm& fields) {
    return fields.tm_mon >= 0 && fields.tm_mon < 12 && fields.tm_mday >= 1 &&
           fields.tm_mday <= 31 && fields.tm_hour >= 0 && fields.tm_hour < 24 &&
           fields.tm_min >= 0 && fields.tm_min < 60 && fields.tm_sec >= 0 && fields.tm_sec < 60;
}

std::optional<std::tm> localCalendar(std::int64_t time) {
    if (!isConvertible(time))
        return std::nullopt;
    utime::readLocalZoneIfChanged();
    return utime::localFields(time);
}

// `value` as at least two decimal digits, as printf's "%02d" writes it.
void appendTwoDigits(std::u16string& text, int value) {
    if (value < 0 || value > 99) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%02d", value);
        text.append(digits, digits + std::strlen(digits));
        return;
    }
    text += static_cast<char16_t>(u'0' + value / 10);
    text += static_cast<char16_t>(u'0' + value % 10);
}

// "aa/bb/cc dd:ee:ff", each field at least two digits. Written without printf: a raid's
// summary shows a time for every join and leave.
std::u16string formatSix(int a, int b, int c, int d, int e, int f) {
    std::u16string text;
    text.reserve(17);
    appendTwoDigits(text, a);
    text += u'/';
    appendTwoDigits(text, b);
    text += u'/';
    appendTwoDigits(text, c);
    text += u' ';
    appendTwoDigits(text, d);
    text += u':';
    appendTwoDigits(text, e);
    text += u':';
    appendTwoDigits(text, f);
    return text;
}

} // namespace

std::int64_t parseLogTime(const std::u16string& text) {
    std::tm fields{};
    std::int64_t early = 0;
    if (!readFields(text, fields, early))
        return early;
    return convertible(localTime(fields));
}

// The zone is read once, here: reading it again for every hour would ask the file system each
// time whether the zone's file changed.
LogClock::LogClock() : hours_(kHourSlots, Hour{kNoHourKey, 0}) {
    utime::readLocalZone();
}

std::int64_t LogClock::parse(std::u16string_view text) {
    std::tm fields{};
    std::int64_t early = 0;
    if (!readFields(text, fields, early))
        return early;
    return timeOf(fields);
}

std::int64_t LogClock::parse(std::string_view utf8) {
    std::tm fields{};
    if (readWrittenShape(utf8, fields))
        return timeOf(fields);
    return parse(std::u16string_view(ustring::fromUtf8(utf8)));
}

std::int64_t LogClock::timeOf(const std::tm& fields) {
    if (!isOrdinaryClock(fields))
        return convertible(localTime(fields));
    const std::int64_t hourKey =
        ((std::int64_t{fields.tm_year} * 12 + fields.tm_mon) * 31 + fields.tm_mday - 1) * 24 +
        fields.tm_hour;
    const std::int64_t start = hourStart(hourKey, fields);
    if (start == kNoHourStart)
        return convertible(localTime(fields));
    return convertible(start + fields.tm_min * 60 + fields.tm_sec);
}

std::int64_t LogClock::hourStart(std::int64_t hourKey, const std::tm& fields) {
    std::tm start = fields;
    start.tm_min = 0;
    start.tm_sec = 0;
    const std::int64_t begin = rawHourStart(hourKey, start);
    ++start.tm_hour; // the next key is the next hour, also across days, months and years
    const std::int64_t end = rawHourStart(hourKey + 1, start);
    // Within an hour localTime reads every clock time with one offset, except where the zone
    // changes: from the change (or the end of the repeated or skipped part) on, it reads them
    // with the new offset. Such an hour's start and the next hour's start lie further or less
    // far apart than an hour, so an hour exactly one hour long holds no change and its times
    // are counted on from its start. The failure value -1 is also a real time; such an hour is
    // simply not counted on.
    if (begin != -1 && end != -1 && end - begin == kSecondsPerHour)
        return begin;
    return kNoHourStart;
}

std::int64_t LogClock::rawHourStart(std::int64_t hourKey, const std::tm& start) {
    Hour& slot = hours_[static_cast<std::size_t>(hourKey) % hours_.size()];
    if (slot.key != hourKey)
        slot = {hourKey, timeInReadZone(start)};
    return slot.start;
}

std::u16string formatYearFirst(std::int64_t time) {
    const auto f = localCalendar(time);
    if (!f)
        return {};
    return formatSix(f->tm_year - 100, f->tm_mon + 1, f->tm_mday, f->tm_hour, f->tm_min, f->tm_sec);
}

std::u16string formatMonthFirst(std::int64_t time) {
    const auto f = localCalendar(time);
    if (!f)
        return {};
    return formatSix(f->tm_mon + 1, f->tm_mday, f->tm_year - 100, f->tm_hour, f->tm_min, f->tm_sec);
}

std::u16string formatFullDate(std::int64_t time) {
    const auto f = localCalendar(time);
    if (!f)
        return {};
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", f->tm_year + 1900,
                  f->tm_mon + 1, f->tm_mday, f->tm_hour, f->tm_min, f->tm_sec);
    return ustring::fromUtf8(text);
}

} // namespace dkp
