#pragma once

#include <cstdint>

namespace protocol {

// Answers of the login service. The slot order of the virtual operations is a contract with the
// protocol library: never reorder them or add any before them.
class LoginListener {
public:
    // result 1: logged in; 0: failed. `detail` is an additional code the client does not use.
    virtual void onLoginResult(std::int32_t result, std::uint32_t detail) = 0; // slot 0

protected:
    ~LoginListener() = default;
};

} // namespace protocol
