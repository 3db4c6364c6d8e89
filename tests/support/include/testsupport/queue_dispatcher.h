#pragma once

#include "protocol/callback_dispatcher.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace testsupport {

// A dispatcher for tests: posted tasks wait in a queue until the test thread runs them, the way
// an event loop would on the user-interface thread.
class QueueDispatcher final : public protocol::CallbackDispatcher {
public:
    void post(std::function<void()> task) override {
        {
            std::lock_guard lock(mutex_);
            tasks_.push_back(std::move(task));
            posters_.push_back(std::this_thread::get_id());
        }
        wake_.notify_all();
    }

    // Runs posted tasks on the calling thread until `done` holds. Gives up after `limit`, so a
    // missing answer fails the test instead of hanging it.
    bool runUntil(const std::function<bool()>& done,
                  std::chrono::seconds limit = std::chrono::seconds(30)) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            std::function<void()> task;
            {
                std::unique_lock lock(mutex_);
                if (!wake_.wait_until(lock, deadline, [this] { return !tasks_.empty(); }))
                    return done();
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            task();
        }
        return true;
    }

    // Runs what is queued now, without waiting.
    void runPending() {
        runUntil([this] {
            std::lock_guard lock(mutex_);
            return tasks_.empty();
        });
    }

    std::vector<std::thread::id> posters() {
        std::lock_guard lock(mutex_);
        return posters_;
    }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;
    std::vector<std::thread::id> posters_;
};

} // namespace testsupport
