#pragma once

namespace protocol {

// Told when the logged-in user's account data is available or has changed. Slot order is a
// contract with the protocol library.
class AccountListener {
public:
    virtual void onAccountReady() = 0; // slot 0

protected:
    ~AccountListener() = default;
};

} // namespace protocol
