#pragma once

#include "connection_settings.h"
#include "dispatch_hub.h"

#include <mutex>
#include <string>

namespace wirekit {

// The session token of the last successful login, read by the transfer threads.
class Session {
public:
    void setToken(std::string token) {
        std::lock_guard lock(mutex_);
        token_ = std::move(token);
    }
    std::string token() {
        std::lock_guard lock(mutex_);
        return token_;
    }

private:
    std::mutex mutex_;
    std::string token_;
};

// What every service shares: the way to the user-interface thread, the site's address and
// the login session.
struct WireContext {
    DispatchHub hub;
    ConnectionSettings settings;
    Session session;
};

} // namespace wirekit
