#include "web/member_view.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace dkpsite {

namespace {

constexpr std::int64_t kMsPerDay = 24LL * 60 * 60 * 1000;

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(int year, int month, int day) {
    year -= month <= 2;
    const int era = year / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<std::int64_t>(era) * 146097 + dayOfEra - 719468;
}

std::string coordinate(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

} // namespace

std::optional<std::int64_t> raidDay(const std::string& start) {
    int month = 0, day = 0, year = 0;
    char rest = 0;
    if (start.size() < 8 ||
        std::sscanf(start.c_str(), "%2d/%2d/%2d%c", &month, &day, &year, &rest) < 3 ||
        start[2] != '/' || start[5] != '/')
        return std::nullopt;
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    return daysFromCivil(2000 + year, month, day);
}

std::vector<AttendanceSpan> attendanceSpans(const std::vector<RaidPresence>& raids,
                                            std::int64_t today) {
    std::vector<AttendanceSpan> spans = {{30}, {60}, {90}, {0}};
    for (const RaidPresence& raid : raids) {
        const std::int64_t day = raidDay(raid.start).value_or(raid.uploadedMs / kMsPerDay);
        for (AttendanceSpan& span : spans) {
            if (span.days != 0 && (day > today || today - day >= span.days))
                continue;
            ++span.raids;
            span.attended += raid.present ? 1 : 0;
        }
    }
    return spans;
}

std::optional<PointsChart> pointsChart(const std::vector<std::int64_t>& balances, int width,
                                       int height) {
    if (balances.empty())
        return std::nullopt;
    PointsChart chart;
    chart.highest = std::max<std::int64_t>(0, *std::max_element(balances.begin(), balances.end()));
    chart.lowest = std::min<std::int64_t>(0, *std::min_element(balances.begin(), balances.end()));
    const double span = std::max<double>(1.0, static_cast<double>(chart.highest - chart.lowest));
    const auto y = [&](std::int64_t value) {
        return static_cast<double>(height) * static_cast<double>(chart.highest - value) / span;
    };
    // The chart starts at zero, before the first raid.
    const double step = static_cast<double>(width) / static_cast<double>(balances.size());
    chart.points = "0," + coordinate(y(0));
    for (size_t i = 0; i < balances.size(); ++i)
        chart.points +=
            " " + coordinate(step * static_cast<double>(i + 1)) + "," + coordinate(y(balances[i]));
    chart.zeroY = coordinate(y(0));
    return chart;
}

std::string ledgerTimeText(std::int64_t ms) {
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm parts{};
    if (gmtime_r(&seconds, &parts) == nullptr)
        return "";
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &parts);
    return text;
}

} // namespace dkpsite
