#pragma once

#include "timer/timer_service.h"

#include <cstdint>

namespace tickhub {

// Hands a component the process-wide timer (`CTimer::Instance()`). It has no state.
class TimerAdapter final : public timer::ITimerService {
public:
    void registerListener(timer::ITimerSenseObj* listener, std::uint32_t periodMs) override;
    void unregisterListener(timer::ITimerSenseObj* listener) override;
};

} // namespace tickhub
