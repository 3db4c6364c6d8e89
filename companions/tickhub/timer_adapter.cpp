#include "tickhub/timer_adapter.h"

#include "tickhub/timer.h"

void TimerAdapter::registerListener(ITimerSenseObj* listener, std::uint32_t periodMs) {
    CTimer::Instance()->RegisterListener(listener, periodMs);
}

void TimerAdapter::unregisterListener(ITimerSenseObj* listener) {
    CTimer::Instance()->UnRegisterListener(listener);
}
