#pragma once

#include <string>

namespace protocol {

// Receives a guild's DKP list. Slot order is a contract with the protocol library.
class GuildDkpListener {
public:
    // The complete contents of the MerDKP list file for the requested guild site (UTF-8).
    virtual void onGuildDkpList(const std::string& listText) = 0; // slot 0

protected:
    ~GuildDkpListener() = default;
};

} // namespace protocol
