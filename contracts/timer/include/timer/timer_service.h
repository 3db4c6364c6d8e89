#pragma once

#include "timer/timer_sense.h"

#include <cstdint>

namespace timer {

// What a component needs of a timer: to be called periodically, and to stop being called.
class ITimerService {
public:
    virtual void registerListener(ITimerSenseObj* listener, std::uint32_t periodMs) = 0;
    virtual void unregisterListener(ITimerSenseObj* listener) = 0;

protected:
    ~ITimerService() = default;
};

} // namespace timer
