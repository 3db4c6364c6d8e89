#include "utilkit/utime.h"

namespace utime {

std::string formatLocalTime(std::time_t when, const char* format) {
    std::tm local{};
    if (::localtime_s(&local, &when) != 0)
        return {};
    char text[256];
    const std::size_t length = std::strftime(text, sizeof text, format, &local);
    return std::string(text, length);
}

} // namespace utime
