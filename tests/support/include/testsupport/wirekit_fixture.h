#pragma once

#include "protocol_binding/protocol_binding.h"
#include "testsupport/queue_dispatcher.h"
#include "testsupport/recording_listeners.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

namespace wirekit_testing {

using testsupport::QueueDispatcher;

// The protocol library as the client binds it: loaded by name, with a queue dispatcher
// installed that the test thread drains. One per test program, since the library's manager is.
struct Wirekit {
    QueueDispatcher dispatcher;
    protocol_binding::ProtocolBinding binding;

    Wirekit() {
        std::u16string error;
        if (!binding.bind(error))
            ADD_FAILURE() << "wirekit did not load";
        binding.installDispatcher(&dispatcher);
    }
    ~Wirekit() { binding.unbind(); }

    protocol::ProtocolManager& manager() { return *binding.manager(); }
};

inline Wirekit& wirekit() {
    static Wirekit instance;
    return instance;
}

// The steps the client takes through the library, each waiting for its one answer.

// Logs in and gives the login's result (1: logged in); -1 when no answer came.
inline std::int32_t loginStep(const std::u16string& user, const std::string& passwordDigest) {
    LoginRecorder recorder;
    protocol::LoginService* login = wirekit().manager().getLoginService();
    login->addListener(&recorder);
    login->login(user, passwordDigest);
    const bool answered = wirekit().dispatcher.runUntil([&] { return !recorder.results.empty(); });
    login->removeListener(&recorder);
    return answered ? recorder.results[0].first : -1;
}

// Uploads `document` as the event "周五活动" of `guild`'s DKP system `system`; the answer
// (status, detail, event id), or nothing when none came.
inline std::optional<std::tuple<std::int32_t, std::uint32_t, std::int32_t>>
uploadStep(const std::u16string& guild, std::uint32_t system, const std::u16string& document) {
    UploadRecorder recorder;
    protocol::EventUploadService* uploads = wirekit().manager().getEventUploadService();
    uploads->addListener(&recorder);
    uploads->uploadEvent(guild, system, u"周五活动", u"", document);
    const bool answered = wirekit().dispatcher.runUntil([&] { return !recorder.results.empty(); });
    uploads->removeListener(&recorder);
    if (!answered)
        return std::nullopt;
    return recorder.results[0];
}

// The guild DKP list of the guild site `siteName` as the client receives it, or nothing when
// none came.
inline std::optional<std::string> guildListStep(const std::string& siteName) {
    GuildListRecorder recorder;
    protocol::GuildDkpService* guilds = wirekit().manager().getGuildDkpService();
    guilds->addListener(&recorder);
    guilds->requestGuildDkpList(siteName, true);
    const bool answered = wirekit().dispatcher.runUntil([&] { return !recorder.lists.empty(); });
    guilds->removeListener(&recorder);
    if (!answered)
        return std::nullopt;
    return recorder.lists[0];
}

} // namespace wirekit_testing
