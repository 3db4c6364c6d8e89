#pragma once

#include "timer/timer_service.h"

#include <cstdint>
#include <map>

namespace testsupport {

// A timer service that runs nothing by itself: it keeps the listeners registered with it and
// their periods, and `fire` plays the part of the running timer for every one of them.
class FakeTimer final : public timer::ITimerService {
public:
    void registerListener(timer::ITimerSenseObj* listener, std::uint32_t periodMs) override {
        periods[listener] = periodMs;
        ++registrations;
    }
    void unregisterListener(timer::ITimerSenseObj* listener) override { periods.erase(listener); }

    bool isRegistered(const timer::ITimerSenseObj* listener) const {
        return periods.count(const_cast<timer::ITimerSenseObj*>(listener)) != 0;
    }
    void fire() const {
        const auto listeners = periods;
        for (const auto& [listener, period] : listeners)
            listener->OnTimer();
    }

    std::map<timer::ITimerSenseObj*, std::uint32_t> periods;
    int registrations = 0;
};

} // namespace testsupport
