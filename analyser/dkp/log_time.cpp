#include "dkp/log_time.h"

#include "dkp/value_tables.h"
#include "utilkit/ustring.h"

#include <cstdio>
#include <ctime>
#include <optional>
#include <vector>

namespace dkp {
namespace {

constexpr int kFieldLimit = 1000000000;

bool isConvertible(std::int64_t time) {
    return time >= 0 && time <= kLastConvertibleTime;
}

// Splits at `separator`; the three pieces as numbers, or nothing when there are not three.
std::optional<std::vector<int>> threeNumbers(const std::u16string& text, char16_t separator) {
    std::vector<std::u16string> pieces;
    ustring::Analyze(text, separator, pieces);
    if (pieces.size() != 3)
        return std::nullopt;
    return std::vector<int>{parseDecimal(pieces[0]), parseDecimal(pieces[1]),
                            parseDecimal(pieces[2])};
}

std::optional<std::tm> localCalendar(std::int64_t time) {
    if (!isConvertible(time))
        return std::nullopt;
    tzset(); // localtime_r need not notice a changed TZ on its own
    const std::time_t seconds = static_cast<std::time_t>(time);
    std::tm fields{};
    if (localtime_r(&seconds, &fields) == nullptr)
        return std::nullopt;
    return fields;
}

std::u16string formatSix(int a, int b, int c, int d, int e, int f) {
    char text[96];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d:%02d", a, b, c, d, e, f);
    return ustring::fromUtf8(text);
}

} // namespace

std::int64_t parseLogTime(const std::u16string& text) {
    std::vector<std::u16string> halves;
    ustring::Analyze(text, u' ', halves);
    if (halves.size() != 2)
        return 0;
    std::tm fields{};
    fields.tm_isdst = 0;
    if (const auto date = threeNumbers(halves[0], u'/')) {
        // Numbers this far out cannot name a convertible date; this also keeps the month
        // and year arithmetic below from overflowing.
        for (const int number : *date)
            if (number < -kFieldLimit || number > kFieldLimit)
                return kUnconvertibleTime;
        fields.tm_mon = (*date)[0] - 1;
        fields.tm_mday = (*date)[1];
        fields.tm_year = (*date)[2] + 100;
    }
    if (const auto clock = threeNumbers(halves[1], u':')) {
        fields.tm_hour = (*clock)[0];
        fields.tm_min = (*clock)[1];
        fields.tm_sec = (*clock)[2];
    }
    const std::int64_t time = std::mktime(&fields);
    return isConvertible(time) ? time : kUnconvertibleTime;
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

} // namespace dkp
