#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

// Local time: the C library's zone (TZ) on Linux, the system's zone through the time-zone API
// on Windows, each year by the zone's own rules for that year.
namespace utime {

// `when` in the local time zone, written by strftime's `format` ("%Y%m%d_%H%M%S", …). Empty
// when the time cannot be broken down or the text would exceed 255 bytes.
std::string formatLocalTime(std::time_t when, const char* format);

// The local calendar fields of `time` (seconds since 1970-01-01 00:00:00 UTC), summer time
// included, in the zone this thread last read; nothing where the system cannot break it down.
std::optional<std::tm> localFields(std::int64_t time);

// Reads the local zone, for the conversions on this thread from now on.
void readLocalZone();

// Reads the local zone where it may have changed since this thread last read it: on Linux when
// TZ differs from that reading; on Windows only the first time (the system's zone is read once,
// and again by readLocalZone).
void readLocalZoneIfChanged();

} // namespace utime
