#pragma once

#include "timer/timer_sense.h"

#include <cstdint>
#include <vector>

namespace tickhub {

// The listener table of a timer. Time moves on only through `advance`, so the table itself
// knows nothing about clocks; `CTimer` drives the process-wide one from the event loop.
class CThreadTimer {
public:
    CThreadTimer() = default;
    CThreadTimer(const CThreadTimer&) = delete;
    CThreadTimer& operator=(const CThreadTimer&) = delete;
    virtual ~CThreadTimer() = default;

    // Calls `listener` every `periodMs` milliseconds from now on. Registering a listener
    // again gives it the new period and starts its period afresh. A null listener is ignored.
    void RegisterListener(timer::ITimerSenseObj* listener, std::uint32_t periodMs);
    // The listener is not called again, even later within the tick that is running.
    void UnRegisterListener(timer::ITimerSenseObj* listener);

    bool IsRegistered(const timer::ITimerSenseObj* listener) const;
    std::size_t ListenerCount() const { return listeners_.size(); }

    // Lets `elapsedMs` pass: every listener whose period has run out is called, in the order
    // of registration, at most once per call. A call made from inside a listener does nothing.
    void advance(std::uint32_t elapsedMs);

private:
    struct Entry {
        timer::ITimerSenseObj* listener;
        std::uint32_t periodMs;
        std::uint64_t waitedMs;
    };

    Entry* find(const timer::ITimerSenseObj* listener);
    bool advancing_ = false;
    std::vector<Entry> listeners_;
};

} // namespace tickhub
