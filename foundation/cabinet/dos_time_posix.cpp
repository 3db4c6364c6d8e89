#include "dos_time.h"

#include <ctime>

namespace cabinet {

std::optional<std::int64_t> unixTimeOf(const DosDateTime& local) {
    if (!inRange(local))
        return std::nullopt;
    std::tm parts{};
    parts.tm_year = local.year - 1900;
    parts.tm_mon = local.month - 1;
    parts.tm_mday = local.day;
    parts.tm_hour = local.hour;
    parts.tm_min = local.minute;
    parts.tm_sec = local.second;
    parts.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&parts);
    if (seconds == static_cast<std::time_t>(-1) && parts.tm_year != 69)
        return std::nullopt;
    return static_cast<std::int64_t>(seconds);
}

} // namespace cabinet
