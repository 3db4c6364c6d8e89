#include "utilkit/utime.h"

#include <windows.h>

#include <map>

// The zone's rules for each year come from GetTimeZoneInformationForYear, which knows the years
// in which a zone's summer time began or ended on other dates than today (the C library of
// Windows applies today's rules to every year, and reads TZ in a form of its own).
namespace utime {
namespace {

constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
constexpr std::int64_t kFileTimeTicksPerSecond = 10000000;
constexpr std::int64_t kSecondsPerMinute = 60;
// SYSTEMTIME holds years up to 30827; this keeps the tick count far inside 64 bits.
constexpr std::int64_t kLastSeconds = 253402300799; // 9999-12-31 23:59:59 UTC

// The system's zone as this thread last read it, and its rules for each year asked about.
struct Zone {
    bool read = false;
    DYNAMIC_TIME_ZONE_INFORMATION dynamic{};
    std::map<WORD, TIME_ZONE_INFORMATION> years;
};

thread_local Zone zone;

const TIME_ZONE_INFORMATION* rulesFor(WORD year) {
    readLocalZoneIfChanged();
    auto found = zone.years.find(year);
    if (found == zone.years.end()) {
        TIME_ZONE_INFORMATION rules{};
        if (!::GetTimeZoneInformationForYear(year, &zone.dynamic, &rules))
            return nullptr;
        found = zone.years.emplace(year, rules).first;
    }
    return &found->second;
}

std::optional<std::int64_t> secondsOf(const SYSTEMTIME& time) {
    FILETIME file{};
    if (!::SystemTimeToFileTime(&time, &file))
        return std::nullopt;
    const std::uint64_t ticks = (std::uint64_t{file.dwHighDateTime} << 32) | file.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / kFileTimeTicksPerSecond) - kSecondsFrom1601To1970;
}

std::optional<SYSTEMTIME> systemTimeOf(std::int64_t time) {
    if (time < -kSecondsFrom1601To1970 || time > kLastSeconds)
        return std::nullopt;
    const auto ticks =
        static_cast<std::uint64_t>(time + kSecondsFrom1601To1970) * kFileTimeTicksPerSecond;
    const FILETIME file{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utc{};
    if (!::FileTimeToSystemTime(&file, &utc))
        return std::nullopt;
    return utc;
}

int dayOfYear(const SYSTEMTIME& date) {
    static constexpr int kDaysBeforeMonth[12] = {0,   31,  59,  90,  120, 151,
                                                 181, 212, 243, 273, 304, 334};
    const int year = date.wYear;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return kDaysBeforeMonth[date.wMonth - 1] + (leap && date.wMonth > 2) + date.wDay - 1;
}

} // namespace

std::string formatLocalTime(std::time_t when, const char* format) {
    const std::optional<std::tm> local = localFields(when);
    if (!local)
        return {};
    char text[256];
    const std::size_t length = std::strftime(text, sizeof text, format, &*local);
    return std::string(text, length);
}

std::optional<std::tm> localFields(std::int64_t time) {
    const std::optional<SYSTEMTIME> utc = systemTimeOf(time);
    if (!utc)
        return std::nullopt;
    const TIME_ZONE_INFORMATION* rules = rulesFor(utc->wYear);
    SYSTEMTIME local{};
    if (rules == nullptr || !::SystemTimeToTzSpecificLocalTime(rules, &*utc, &local))
        return std::nullopt;
    const std::optional<std::int64_t> clock = secondsOf(local);
    if (!clock)
        return std::nullopt;
    std::tm fields{};
    fields.tm_year = local.wYear - 1900;
    fields.tm_mon = local.wMonth - 1;
    fields.tm_mday = local.wDay;
    fields.tm_hour = local.wHour;
    fields.tm_min = local.wMinute;
    fields.tm_sec = local.wSecond;
    fields.tm_wday = local.wDayOfWeek;
    fields.tm_yday = dayOfYear(local);
    // Bias is UTC minus standard time, in minutes.
    const std::int64_t standardOffset =
        -std::int64_t{rules->Bias + rules->StandardBias} * kSecondsPerMinute;
    fields.tm_isdst = *clock - time != standardOffset ? 1 : 0;
    return fields;
}

void readLocalZone() {
    zone.dynamic = {};
    zone.years.clear();
    ::GetDynamicTimeZoneInformation(&zone.dynamic);
    zone.read = true;
}

void readLocalZoneIfChanged() {
    if (!zone.read)
        readLocalZone();
}

} // namespace utime
