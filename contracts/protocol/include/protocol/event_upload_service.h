#pragma once

#include "protocol/event_upload_listener.h"

#include <cstdint>
#include <string>

namespace protocol {

// Uploads a raid as a new event of a guild's DKP system. Slot order is a contract with the
// protocol library.
class EventUploadService {
public:
    // Returns at once; exactly one onUploadResult answers on the user-interface thread.
    virtual void uploadEvent(const std::u16string& guildId, std::uint32_t dkpSystemId,
                             const std::u16string& eventName, const std::u16string& eventNote,
                             const std::u16string& raidDocument) = 0; // slot 0
    virtual void addListener(EventUploadListener* listener) = 0;      // slot 1
    virtual void removeListener(EventUploadListener* listener) = 0;   // slot 2

protected:
    ~EventUploadService() = default;
};

} // namespace protocol
