#include "dispatch_hub.h"

namespace wirekit {

void DispatchHub::install(protocol::CallbackDispatcher* dispatcher) {
    std::lock_guard lock(mutex_);
    dispatcher_ = dispatcher;
    if (!dispatcher_)
        return;
    while (!waiting_.empty()) {
        dispatcher_->post(std::move(waiting_.front()));
        waiting_.pop_front();
    }
}

void DispatchHub::post(std::function<void()> task) {
    std::lock_guard lock(mutex_);
    if (!*open_)
        return;
    task = [open = open_, task = std::move(task)] {
        if (*open)
            task();
    };
    if (dispatcher_)
        dispatcher_->post(std::move(task));
    else
        waiting_.push_back(std::move(task));
}

void DispatchHub::close() {
    std::lock_guard lock(mutex_);
    *open_ = false;
    waiting_.clear();
}

void DispatchHub::open() {
    std::lock_guard lock(mutex_);
    if (!*open_)
        open_ = std::make_shared<std::atomic<bool>>(true);
}

} // namespace wirekit
