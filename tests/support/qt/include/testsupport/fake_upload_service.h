#pragma once

// A stand-in for the site's upload service: it records the events the wizard sends, and the
// test answers them.
#include "protocol/event_upload_service.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

struct SentEvent {
    std::u16string guildId;
    std::uint32_t dkpSystemId;
    std::u16string name;
    std::u16string note;
    std::u16string document;
};

class FakeUploadService final : public protocol::EventUploadService {
public:
    void uploadEvent(const std::u16string& guildId, std::uint32_t dkpSystemId,
                     const std::u16string& eventName, const std::u16string& eventNote,
                     const std::u16string& raidDocument) override {
        sent.push_back({guildId, dkpSystemId, eventName, eventNote, raidDocument});
    }
    void addListener(protocol::EventUploadListener* listener) override {
        listeners.push_back(listener);
    }
    void removeListener(protocol::EventUploadListener* listener) override {
        std::erase(listeners, listener);
    }
    void answer(std::int32_t status, std::int32_t eventId) {
        for (protocol::EventUploadListener* listener :
             std::vector<protocol::EventUploadListener*>(listeners))
            listener->onUploadResult(status, 0, eventId);
    }

    std::vector<SentEvent> sent;
    std::vector<protocol::EventUploadListener*> listeners;
};

} // namespace testsupport
