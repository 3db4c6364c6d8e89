#pragma once

#include "protocol/guild_dkp_service.h"
#include "protocol/login_service.h"
#include "testsupport/one_listener_service.h"

#include <string>
#include <utility>
#include <vector>

// Services that record the client's calls and hold the answers a test sets; the test makes the
// listener calls itself.
namespace testsupport {

class FakeLoginService final
    : public testsupport::OneListenerService<protocol::LoginService, protocol::LoginListener> {
public:
    void login(const std::u16string& userName, const std::string& passwordDigest) override {
        logins.emplace_back(userName, passwordDigest);
    }

    std::vector<std::pair<std::u16string, std::string>> logins;
};

class FakeGuildDkpService final
    : public testsupport::OneListenerService<protocol::GuildDkpService,
                                             protocol::GuildDkpListener> {
public:
    void requestGuildDkpList(const std::string& siteName, bool mainlandClient) override {
        requests.emplace_back(siteName, mainlandClient);
    }

    std::vector<std::pair<std::string, bool>> requests;
};

} // namespace testsupport
