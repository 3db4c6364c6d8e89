#pragma once

#include "records/raid_document.h"
#include "records/refusal.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace dkpsite {

// The largest raid-log XML the site reads: one raid night of 40 members with their stays, a few
// dozen kills and a few hundred items is tens of kilobytes; this leaves room for ten times more.
inline constexpr std::size_t kMaxRaidLogXmlBytes = std::size_t(4) << 20;

// What the raid-log XML does not say and an event needs.
struct RaidLogRules {
    // The points each attendee of each kill earns (the XML has no points for a kill). Officers
    // set a kill's own points on its event page afterwards.
    long long killPoints = 0;
};

// The raid of a raid-log XML file ("EQdkp Plus XML", as the client and raidsift export it) as
// the upload document of that raid would give it:
// - one zone is one raid: its enter and leave times are the raid's start and end, its name the
//   zone; a file of several zones is refused (each raid is imported on its own);
// - times are Unix seconds, written as the log writes them ("mm/dd/yy hh:mm:ss") in the site's
//   local time zone (TZ), the zone the client's own upload document uses when both run alike;
// - a kill's attendees are the members with a stay (join to leave, both included) that holds
//   the kill's time, in the members' order; each earns rules.killPoints;
// - class tokens (WARRIOR…) take the upload document's spelling (Warrior…);
// - what the XML does not hold stays empty: the realm, the note, an item's icon, class,
//   subclass, colour and tooltip.
// Gives nothing, with `error` set to the reason, for a file over kMaxRaidLogXmlBytes, XML that
// does not parse, a file of another shape, or a raid the upload document's limits refuse.
std::optional<RaidDocument> raidFromLogXml(std::string_view xml, const RaidLogRules& rules,
                                           Refusal& error);

} // namespace dkpsite
