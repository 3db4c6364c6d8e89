#pragma once

#include "protocol/callback_dispatcher.h"

#include <deque>
#include <functional>
#include <mutex>

namespace wirekit {

// Hands tasks to the dispatcher the host installed, which runs them on the user-interface
// thread. Tasks posted while no dispatcher is installed wait, in order, until one is.
class DispatchHub {
public:
    void install(CallbackDispatcher* dispatcher);
    void post(std::function<void()> task);

private:
    std::mutex mutex_;
    CallbackDispatcher* dispatcher_ = nullptr;
    std::deque<std::function<void()>> waiting_;
};

} // namespace wirekit
