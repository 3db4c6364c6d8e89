#pragma once

#include <ctime>
#include <string>

namespace utime {

// `when` in the local time zone, written by strftime's `format` ("%Y%m%d_%H%M%S", …). Empty
// when the time cannot be broken down or the text would exceed 255 bytes.
std::string formatLocalTime(std::time_t when, const char* format);

} // namespace utime
