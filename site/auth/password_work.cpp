#include "auth/password_work.h"

#include <algorithm>
#include <thread>

namespace dkpsite {

PasswordWork::PasswordWork(std::size_t slots, std::size_t maxWaiting)
    : slots_(std::max<std::size_t>(1, slots)), maxWaiting_(maxWaiting) {}

bool PasswordWork::run(const std::function<void()>& work) {
    {
        std::unique_lock lock(mutex_);
        if (busy_ >= slots_) {
            if (waiting_ >= maxWaiting_)
                return false;
            ++waiting_;
            freed_.wait(lock, [this] { return busy_ < slots_; });
            --waiting_;
        }
        ++busy_;
    }
    struct Release {
        PasswordWork& pool;
        ~Release() {
            {
                std::lock_guard lock(pool.mutex_);
                --pool.busy_;
            }
            pool.freed_.notify_one();
        }
    } release{*this};
    work();
    return true;
}

std::size_t PasswordWork::defaultSlots() {
    return std::max(1u, std::thread::hardware_concurrency() / 2);
}

} // namespace dkpsite
