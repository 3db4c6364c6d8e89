#pragma once

#include <cstdint>
#include <optional>

namespace cabinet {

// A cabinet's local-time DOS date and time, as libmspack splits it.
struct DosDateTime {
    int year = 0; // full year, 1980-2107
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The fields lie in their ranges (a day past the month's end counts, as the next month's).
inline bool inRange(const DosDateTime& local) {
    return local.year >= 1980 && local.year <= 2107 && local.month >= 1 && local.month <= 12 &&
           local.day >= 1 && local.day <= 31 && local.hour >= 0 && local.hour <= 23 &&
           local.minute >= 0 && local.minute <= 59 && local.second >= 0 && local.second <= 59;
}

// Seconds since 1970 UTC for the local time, with the time zone's rules of that date; nothing
// for a field out of range.
std::optional<std::int64_t> unixTimeOf(const DosDateTime& local);

} // namespace cabinet
