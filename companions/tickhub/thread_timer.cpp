#include "tickhub/thread_timer.h"

#include <algorithm>

namespace tickhub {

void CThreadTimer::RegisterListener(timer::ITimerSenseObj* listener, std::uint32_t periodMs) {
    if (listener == nullptr)
        return;
    if (Entry* entry = find(listener)) {
        entry->periodMs = periodMs;
        entry->waitedMs = 0;
        return;
    }
    listeners_.push_back({listener, periodMs, 0});
}

void CThreadTimer::UnRegisterListener(timer::ITimerSenseObj* listener) {
    std::erase_if(listeners_, [&](const Entry& entry) { return entry.listener == listener; });
}

bool CThreadTimer::IsRegistered(const timer::ITimerSenseObj* listener) const {
    return std::any_of(listeners_.begin(), listeners_.end(),
                       [&](const Entry& entry) { return entry.listener == listener; });
}

CThreadTimer::Entry* CThreadTimer::find(const timer::ITimerSenseObj* listener) {
    const auto found = std::find_if(listeners_.begin(), listeners_.end(),
                                    [&](const Entry& entry) { return entry.listener == listener; });
    return found == listeners_.end() ? nullptr : &*found;
}

void CThreadTimer::advance(std::uint32_t elapsedMs) {
    // A listener may open a modal window whose event loop drives the timer again; the outer
    // call already owns this tick.
    if (advancing_)
        return;
    advancing_ = true;
    std::vector<timer::ITimerSenseObj*> due;
    for (Entry& entry : listeners_) {
        entry.waitedMs += elapsedMs;
        if (entry.waitedMs >= entry.periodMs) {
            entry.waitedMs = 0;
            due.push_back(entry.listener);
        }
    }
    // Listeners may register or unregister others (or themselves) while being called.
    for (timer::ITimerSenseObj* listener : due) {
        if (IsRegistered(listener))
            listener->OnTimer();
    }
    advancing_ = false;
}

} // namespace tickhub
