#pragma once

#include "protocol/login_listener.h"

#include <string>

namespace protocol {

// Logs the user in. Slot order is a contract with the protocol library.
class LoginService {
public:
    // Returns at once; exactly one onLoginResult answers on the user-interface thread.
    // `passwordDigest` is the SHA digest of the password, never the password itself.
    virtual void login(const std::u16string& userName,
                       const std::string& passwordDigest) = 0; // slot 0
    virtual void addListener(LoginListener* listener) = 0;     // slot 1
    virtual void removeListener(LoginListener* listener) = 0;  // slot 2

protected:
    ~LoginService() = default;
};

} // namespace protocol
