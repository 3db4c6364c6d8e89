#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#ifdef _WIN32
#include <windows.h>

#include <cstring>
#include <cwchar>
#endif

// Puts the test in a time zone, given by its name in the zone database ("Asia/Shanghai").
//
// On Linux it sets TZ for the lifetime of the object and puts the previous value back
// afterwards. A Windows program reads the system's zone, which it cannot change for itself:
// there the zone is fixed for the run (Wine takes it from TZ, which ctest sets), and active()
// says whether it is the one asked for; a test skips what the other runs in their zones cover.
class ScopedTimeZone {
public:
#ifdef _WIN32
    explicit ScopedTimeZone(const char* zone) : active_(isSystemZone(zone)) {}
#else
    explicit ScopedTimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ"))
            previous_ = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ScopedTimeZone() {
        if (previous_)
            ::setenv("TZ", previous_->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
#endif
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

    bool active() const {
        return active_;
    }

private:
#ifdef _WIN32
    // The Windows zones with the rules of the zones the tests use (Windows has several names
    // for the zones of central Europe, and Wine takes the first that fits).
    static bool isSystemZone(const char* zone) {
        static const struct {
            const char* database;
            const wchar_t* windows;
        } kNames[] = {{"Asia/Shanghai", L"China Standard Time"},
                      {"America/New_York", L"Eastern Standard Time"},
                      {"Europe/Berlin", L"W. Europe Standard Time"},
                      {"Europe/Berlin", L"Central Europe Standard Time"},
                      {"Europe/Berlin", L"Central European Standard Time"},
                      {"Europe/Berlin", L"Romance Standard Time"}};
        DYNAMIC_TIME_ZONE_INFORMATION system{};
        if (::GetDynamicTimeZoneInformation(&system) == TIME_ZONE_ID_INVALID)
            return false;
        for (const auto& name : kNames)
            if (std::strcmp(zone, name.database) == 0 &&
                std::wcscmp(system.TimeZoneKeyName, name.windows) == 0)
                return true;
        return false;
    }
#endif

    bool active_ = true;
#ifndef _WIN32
    std::optional<std::string> previous_;
#endif
};
