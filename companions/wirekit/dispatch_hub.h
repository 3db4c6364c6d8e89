#pragma once

#include "protocol/callback_dispatcher.h"

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace wirekit {

// Hands tasks to the dispatcher the host installed, which runs them on the user-interface
// thread. Tasks posted while no dispatcher is installed wait, in order, until one is. A closed
// hub drops what it is given, and tasks it handed over earlier do nothing when they run.
class DispatchHub {
public:
    void install(protocol::CallbackDispatcher* dispatcher);
    void post(std::function<void()> task);

    void close();
    void open();

private:
    std::mutex mutex_;
    protocol::CallbackDispatcher* dispatcher_ = nullptr;
    std::deque<std::function<void()>> waiting_;
    // Shared with every task handed out while the hub was open; cleared when it closes.
    std::shared_ptr<std::atomic<bool>> open_ = std::make_shared<std::atomic<bool>>(true);
};

} // namespace wirekit
