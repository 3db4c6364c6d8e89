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

// Seconds since 1970 UTC for the local time, with the time zone's rules of that date; nothing
// for a field out of range.
std::optional<std::int64_t> unixTimeOf(const DosDateTime& local);

} // namespace cabinet
