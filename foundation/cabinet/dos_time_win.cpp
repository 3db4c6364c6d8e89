#include "dos_time.h"

#include <windows.h>

namespace cabinet {
namespace {

constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
constexpr std::int64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kSecondsPerDay = 86400;

// Days from 1970-01-01 to the date of the proleptic Gregorian calendar (H. Hinnant's
// days_from_civil); a day past the month's end runs on into the next month.
std::int64_t daysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2;
    const std::int64_t era = year / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::optional<SYSTEMTIME> fieldsOf(std::int64_t seconds) {
    const auto ticks = static_cast<std::uint64_t>(seconds + kSecondsFrom1601To1970) *
                       static_cast<std::uint64_t>(kTicksPerSecond);
    const FILETIME file{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME fields{};
    if (!::FileTimeToSystemTime(&file, &fields))
        return std::nullopt;
    return fields;
}

} // namespace

// The zone's rules of the date's own year (GetTimeZoneInformationForYear), as the C library of
// Linux applies them; the C library of Windows would apply today's rules to every year.
std::optional<std::int64_t> unixTimeOf(const DosDateTime& local) {
    if (!inRange(local))
        return std::nullopt;
    const std::int64_t clock = daysFromCivil(local.year, local.month, local.day) * kSecondsPerDay +
                               local.hour * 3600 + local.minute * 60 + local.second;
    const std::optional<SYSTEMTIME> fields = fieldsOf(clock);
    DYNAMIC_TIME_ZONE_INFORMATION zone{};
    TIME_ZONE_INFORMATION rules{};
    SYSTEMTIME utc{};
    FILETIME file{};
    if (!fields || ::GetDynamicTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID ||
        !::GetTimeZoneInformationForYear(fields->wYear, &zone, &rules) ||
        !::TzSpecificLocalTimeToSystemTime(&rules, &*fields, &utc) ||
        !::SystemTimeToFileTime(&utc, &file))
        return std::nullopt;
    const std::uint64_t ticks = (std::uint64_t{file.dwHighDateTime} << 32) | file.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / kTicksPerSecond) - kSecondsFrom1601To1970;
}

} // namespace cabinet
