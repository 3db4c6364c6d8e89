#pragma once

#include <cstdint>

namespace protocol {

// Answers of the event upload service. Slot order is a contract with the protocol library.
class EventUploadListener {
public:
    // status 200: the event was created and `eventId` is its number on the web site; any other
    // status is a failure. `detail` is an additional code the client does not use.
    virtual void onUploadResult(std::int32_t status, std::uint32_t detail,
                                std::int32_t eventId) = 0; // slot 0

protected:
    ~EventUploadListener() = default;
};

} // namespace protocol
