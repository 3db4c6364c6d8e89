#pragma once

#include "protocol/guild_dkp_service.h"
#include "protocol/login_service.h"

#include <string>
#include <utility>
#include <vector>

// Services that record the client's calls and hold the answers a test sets; the test makes the
// listener calls itself.
namespace uitest {

class FakeLoginService final : public LoginService {
public:
    void login(const std::u16string& userName, const std::string& passwordDigest) override {
        logins.emplace_back(userName, passwordDigest);
    }
    void addListener(LoginListener* added) override { listener = added; }
    void removeListener(LoginListener* removed) override {
        if (listener == removed)
            listener = nullptr;
    }

    std::vector<std::pair<std::u16string, std::string>> logins;
    LoginListener* listener = nullptr;
};

class FakeGuildDkpService final : public GuildDkpService {
public:
    void addListener(GuildDkpListener* added) override { listener = added; }
    void removeListener(GuildDkpListener* removed) override {
        if (listener == removed)
            listener = nullptr;
    }
    void requestGuildDkpList(const std::string& siteName, bool mainlandClient) override {
        requests.emplace_back(siteName, mainlandClient);
    }

    GuildDkpListener* listener = nullptr;
    std::vector<std::pair<std::string, bool>> requests;
};

} // namespace uitest
