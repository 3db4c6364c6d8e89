#include "demo_data.h"

#include "utilkit/encrypt.h"

namespace devsite {

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
}

} // namespace devsite
