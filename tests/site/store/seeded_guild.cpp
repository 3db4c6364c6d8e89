#include "seeded_guild.h"

#include "sample_raid.h"

namespace dkpsite_testing {

void SeededGuildTest::SetUp() {
    store_ = std::make_unique<dkpsite::SiteStore>(database_.target(), kQuickIterations);
    user_ = store_->addUser("Leader", "digest");
    guild_ = store_->addGuild("Guild", "guild_dkp", 1000);
    system_ = store_->addDkpSystem(guild_, "Main");
    store_->addMembership(user_, guild_, true);
    token_ = store_->login("leader", "digest", 2000).value_or("");
}

dkpsite::NewEvent SeededGuildTest::sampleEvent(std::int64_t system,
                                               const std::string& extra) const {
    std::string error;
    dkpsite::NewEvent event{"Guild", system, "event", "", sampleRaidDocument() + extra, {}};
    event.raid = dkpsite::parseRaidDocument(sampleRaidDocument(), error).value();
    return event;
}

} // namespace dkpsite_testing
