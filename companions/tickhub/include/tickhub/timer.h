#pragma once

#include "tickhub/thread_timer.h"

#include <cstdint>
#include <memory>

namespace tickhub {

// The process-wide timer. It ticks on the Qt event loop of the application's thread, every
// `SetTick` milliseconds, and each tick lets that much time pass for its listeners. Before
// there is a Qt application object, or after it is gone, listeners are kept but not called.
class CTimer : public CThreadTimer {
public:
    static CTimer* Instance();

    static constexpr std::uint32_t kDefaultTickMs = 100;

    // Sets the tick length (0 is taken as 1) and (re)starts the ticking.
    void SetTick(std::uint32_t tickMs);
    std::uint32_t GetTick() const { return tickMs_; }

    CTimer(const CTimer&) = delete;
    CTimer& operator=(const CTimer&) = delete;
    ~CTimer() override;

private:
    CTimer();
    void ensureTicking();

    struct Driver;
    std::uint32_t tickMs_ = kDefaultTickMs;
    std::unique_ptr<Driver> driver_;
};

} // namespace tickhub
