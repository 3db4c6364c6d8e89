#include "utilkit/utime.h"

#include <cstdlib>
#include <utility>

namespace utime {
namespace {

struct ZoneReading {
    bool done = false;
    std::optional<std::string> zone; // TZ at the reading
};

thread_local ZoneReading lastReading;

std::optional<std::string> zoneSetting() {
    const char* set = std::getenv("TZ");
    return set != nullptr ? std::optional<std::string>(set) : std::nullopt;
}

} // namespace

std::string formatLocalTime(std::time_t when, const char* format) {
    std::tm local{};
    if (::localtime_r(&when, &local) == nullptr)
        return {};
    char text[256];
    const std::size_t length = std::strftime(text, sizeof text, format, &local);
    return std::string(text, length);
}

std::optional<std::tm> localFields(std::int64_t time) {
    const std::time_t seconds = static_cast<std::time_t>(time);
    std::tm fields{};
    if (::localtime_r(&seconds, &fields) == nullptr)
        return std::nullopt;
    return fields;
}

void readLocalZone() {
    ::tzset();
    lastReading = {true, zoneSetting()};
}

// localtime_r need not notice a changed TZ on its own, while tzset asks the file system about
// the zone's file every time, which costs more than a conversion when a raid shows thousands of
// times.
void readLocalZoneIfChanged() {
    if (lastReading.done && lastReading.zone == zoneSetting())
        return;
    readLocalZone();
}

} // namespace utime
