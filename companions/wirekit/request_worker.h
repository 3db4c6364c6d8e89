#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace wirekit {

// One transfer thread that runs submitted jobs one after another. A job receives the flag that
// tells it the worker is shutting down, so that a transfer under way can be abandoned.
class RequestWorker {
public:
    using Job = std::function<void(const std::atomic<bool>& stopping)>;

    RequestWorker();
    ~RequestWorker();
    RequestWorker(const RequestWorker&) = delete;
    RequestWorker& operator=(const RequestWorker&) = delete;

    // Queues a job; a stopped worker drops it.
    void submit(Job job);
    // Abandons the queued jobs, tells the running one to stop and waits for it. Idempotent.
    void stop();
    // Starts the thread again after stop(). Does nothing while it runs.
    void start();

private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

} // namespace wirekit
