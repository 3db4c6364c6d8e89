#pragma once

#include "failure.h"
#include "listener_set.h"
#include "protocol/event_upload_service.h"
#include "request_worker.h"
#include "wire_context.h"

namespace wirekit {

// Sends a raid as a new event of the logged-in user's guild.
class EventUploadServiceImpl final : public protocol::EventUploadService {
public:
    EventUploadServiceImpl(WireContext& context, RequestWorker& worker);

    void uploadEvent(const std::u16string& guildId, std::uint32_t dkpSystemId,
                     const std::u16string& eventName, const std::u16string& eventNote,
                     const std::u16string& raidDocument) override;
    void addListener(protocol::EventUploadListener* listener) override { listeners_.add(listener); }
    void removeListener(protocol::EventUploadListener* listener) override {
        listeners_.remove(listener);
    }

private:
    void exchange(const std::string& uploadBody, const std::atomic<bool>& stopping);
    void answer(std::int32_t status, Failure failure, std::int32_t eventId);

    WireContext& context_;
    RequestWorker& worker_;
    ListenerSet<protocol::EventUploadListener> listeners_;
};

} // namespace wirekit
