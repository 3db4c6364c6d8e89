#include "demo/demo_data.h"

#include "demo/demo_raids.h"
#include "utilkit/encrypt.h"

#include <stdexcept>

namespace dkpsite {
namespace {

// Uploads the demo raids as the demo user would, each to its DKP system of the guild.
void uploadDemoRaids(SiteStore& store, const SiteGuild& guild, std::int64_t nowMs) {
    const auto token = store.login("demo", encrypt::SHA("demo"), nowMs);
    for (const DemoRaid& demo : demoRaids()) {
        NewEvent event;
        event.guildId = guild.guildId;
        event.dkpId = guild.systems.at(demo.system).id;
        event.name = demo.eventName;
        event.document = demo.document;
        std::string error;
        auto raid = parseRaidDocument(event.document, error);
        if (!raid)
            throw std::logic_error("demo raid \"" + event.name + "\" does not read: " + error);
        event.raid = std::move(*raid);
        store.storeEvent(token.value_or(""), event, nowMs);
    }
}

} // namespace

void seedDemoData(SiteStore& store, std::int64_t nowMs) {
    if (store.findUser("demo"))
        return;
    // The client sends the digest of the password's bytes; "demo" is the same in every code page.
    const std::int64_t user = store.addUser("demo", encrypt::SHA("demo"));
    const std::int64_t dawn = store.addGuild("晨曦之光", "adpt_dkp", nowMs);
    store.addDkpSystem(dawn, "团队DKP");
    store.addDkpSystem(dawn, "新人DKP");
    const std::int64_t dusk = store.addGuild("暮色远征", "dusk_dkp", nowMs);
    store.addDkpSystem(dusk, "暮色DKP");
    store.addMembership(user, dawn, true);
    store.addMembership(user, dusk, false);
    if (const auto guild = store.guildBySite("adpt_dkp"))
        uploadDemoRaids(store, *guild, nowMs);
}

} // namespace dkpsite
