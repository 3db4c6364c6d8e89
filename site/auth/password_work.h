#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>

namespace dkpsite {

// Runs the slow work of password verifiers a few at a time, so that a flood of logins leaves
// processors to every other request; callers beyond a bound are turned away rather than
// holding request threads.
class PasswordWork {
public:
    // `slots`: verifiers worked out at once; `maxWaiting`: callers that may wait for a slot.
    PasswordWork(std::size_t slots, std::size_t maxWaiting);

    // Runs `work` once a slot is free and returns true; false, without running it, when
    // maxWaiting callers are waiting already.
    bool run(const std::function<void()>& work);

    // Half the processors, at least one.
    static std::size_t defaultSlots();

private:
    std::mutex mutex_;
    std::condition_variable freed_;
    const std::size_t slots_, maxWaiting_;
    std::size_t busy_ = 0, waiting_ = 0;
};

} // namespace dkpsite
