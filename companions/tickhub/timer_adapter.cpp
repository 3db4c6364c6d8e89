#include "tickhub/timer_adapter.h"

#include "tickhub/timer.h"

namespace tickhub {

void TimerAdapter::registerListener(timer::ITimerSenseObj* listener, std::uint32_t periodMs) {
    CTimer::Instance()->RegisterListener(listener, periodMs);
}

void TimerAdapter::unregisterListener(timer::ITimerSenseObj* listener) {
    CTimer::Instance()->UnRegisterListener(listener);
}

} // namespace tickhub
