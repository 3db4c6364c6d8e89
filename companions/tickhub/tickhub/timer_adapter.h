#pragma once

#include "tickhub/timer_sense.h"

#include <cstdint>

// What a component needs of a timer: to be called periodically, and to stop being called.
class ITimerService {
public:
    virtual void registerListener(ITimerSenseObj* listener, std::uint32_t periodMs) = 0;
    virtual void unregisterListener(ITimerSenseObj* listener) = 0;

protected:
    ~ITimerService() = default;
};

// Hands a component the process-wide timer (`CTimer::Instance()`). It has no state.
class TimerAdapter final : public ITimerService {
public:
    void registerListener(ITimerSenseObj* listener, std::uint32_t periodMs) override;
    void unregisterListener(ITimerSenseObj* listener) override;
};
