#pragma once

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace wirekit_testing {

// A site on 127.0.0.1 that accepts connections, reads what it is sent and never answers.
class SilentSite {
public:
    using Clock = std::chrono::steady_clock;

    SilentSite() {
        listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listener_, 16);
        socklen_t length = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        acceptor_ = std::thread([this] { acceptUntilClosed(); });
    }
    ~SilentSite() {
        stop_ = true;
        acceptor_.join();
        for (int connection : connections_)
            close(connection);
        close(listener_);
    }
    SilentSite(const SilentSite&) = delete;
    SilentSite& operator=(const SilentSite&) = delete;

    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_); }

    // Waits until `count` connections have been accepted; false when they were not in `limit`.
    bool waitForConnections(std::size_t count, std::chrono::seconds limit) {
        const auto deadline = Clock::now() + limit;
        while (accepted() < count) {
            if (Clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

    // Whether the client has closed every accepted connection within `limit`.
    bool allClosedByClient(std::chrono::seconds limit) {
        const auto deadline = Clock::now() + limit;
        std::lock_guard lock(mutex_);
        for (int connection : connections_)
            if (!closedBefore(connection, deadline))
                return false;
        return true;
    }

private:
    std::size_t accepted() {
        std::lock_guard lock(mutex_);
        return connections_.size();
    }

    void acceptUntilClosed() {
        while (!stop_) {
            pollfd waiting{listener_, POLLIN, 0};
            if (poll(&waiting, 1, 20) <= 0)
                continue;
            const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0)
                continue;
            std::lock_guard lock(mutex_);
            connections_.push_back(connection);
        }
    }

    // Reads and discards the request until the client's end of the connection is closed.
    static bool closedBefore(int connection, Clock::time_point deadline) {
        char buffer[4096];
        for (;;) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return false;
            pollfd waiting{connection, POLLIN, 0};
            if (poll(&waiting, 1, static_cast<int>(left.count())) <= 0)
                return false;
            if (recv(connection, buffer, sizeof buffer, MSG_DONTWAIT) <= 0)
                return true;
        }
    }

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<int> connections_;
    std::thread acceptor_;
};

} // namespace wirekit_testing
