#pragma once

// Helpers for the upload wizard's tests: a stand-in upload service, and QString in the failure
// messages.
#include "protocol/event_upload_service.h"

#include <QString>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}
QT_END_NAMESPACE

namespace wizardtest {

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

} // namespace wizardtest
