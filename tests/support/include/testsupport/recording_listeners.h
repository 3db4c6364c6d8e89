#pragma once

#include "protocol/protocol.h"

#include <thread>
#include <tuple>
#include <vector>

namespace wirekit_testing {

// Listeners that record every call and the thread it came on.
struct CallThreads {
    std::vector<std::thread::id> threads;
    void note() { threads.push_back(std::this_thread::get_id()); }
};

struct LoginRecorder final : protocol::LoginListener, CallThreads {
    std::vector<std::pair<std::int32_t, std::uint32_t>> results;
    void onLoginResult(std::int32_t result, std::uint32_t detail) override {
        note();
        results.emplace_back(result, detail);
    }
};

struct AccountRecorder final : protocol::AccountListener, CallThreads {
    int readyCalls = 0;
    void onAccountReady() override {
        note();
        ++readyCalls;
    }
};

struct UploadRecorder final : protocol::EventUploadListener, CallThreads {
    std::vector<std::tuple<std::int32_t, std::uint32_t, std::int32_t>> results;
    void onUploadResult(std::int32_t status, std::uint32_t detail, std::int32_t eventId) override {
        note();
        results.emplace_back(status, detail, eventId);
    }
};

struct GuildListRecorder final : protocol::GuildDkpListener, CallThreads {
    std::vector<std::string> lists;
    void onGuildDkpList(const std::string& text) override {
        note();
        lists.push_back(text);
    }
};

} // namespace wirekit_testing
