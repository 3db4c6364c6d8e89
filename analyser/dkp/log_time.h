#pragma once

#include "export.h"

#include <cstdint>
#include <string>

// Times are seconds since 1970-01-01 00:00:00 UTC. The calendar covers 1970 to the end of the
// year 3000 (UTC); a time outside it cannot be converted.
namespace dkp {

inline constexpr std::int64_t kUnconvertibleTime = -1;
inline constexpr std::int64_t kLastConvertibleTime = 32535215999; // 3000-12-31 23:59:59 UTC

// Reads the log's "month/day/yy hours:minutes:seconds" as local standard time (two-digit years
// are 20yy). A text of the wrong shape gives 0; a date the calendar cannot hold gives -1.
RAIDSIFT_API std::int64_t parseLogTime(const std::u16string& text);

// Local time as "yy/mm/dd hh:mm:ss" (the raid's display name), or empty when unconvertible.
RAIDSIFT_API std::u16string formatYearFirst(std::int64_t time);

// Local time as "mm/dd/yy hh:mm:ss", the log's own shape, or empty when unconvertible.
RAIDSIFT_API std::u16string formatMonthFirst(std::int64_t time);

} // namespace dkp
