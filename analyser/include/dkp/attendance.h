#pragma once

#include "dkp/raid.h"
#include "dkp/value_tables.h"
#include "raidsift/export.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dkp {

// The stretch of time a raid's figures are counted in. The start is the raid's start time; the
// end its end time. A raid whose log names no start or no end is counted from the earliest to
// the latest time the log holds (stays, kills, loot); an end before the start counts as the
// start, so the duration is never negative. Both are 0 for a log without any time.
struct RAIDSIFT_API RaidPeriod {
    std::int64_t start = 0;
    std::int64_t end = 0;
    std::int64_t seconds() const { return end - start; }
};
RAIDSIFT_API RaidPeriod raidPeriod(const Raid& raid);

// The stretches of the period a member was present in: the stays cut to the period, an open
// stay ending with it, a stay without a known join time left out, and overlapping, nested and
// touching stays joined into one. Sorted by time, apart from each other, none empty; their
// lengths add up to MemberAttendance::secondsPresent.
RAIDSIFT_API std::vector<PresenceSpan> timePresent(const Member& member, const RaidPeriod& period);

// The stays (all closed) sorted by join time, overlapping, nested and touching ones joined.
RAIDSIFT_API std::vector<PresenceSpan> joinOverlappingStays(std::vector<PresenceSpan> stays);

// One member's presence and kills in a raid.
struct RAIDSIFT_API MemberAttendance {
    std::u16string name;
    CLASS memberClass = CLASS_UNKNOWN;
    std::int64_t secondsPresent =
        0;                    // union of the member's stays, open stays end at the raid's end
    double percentOfRaid = 0; // 0..100 of the raid's duration (0 when the duration is 0)
    int killsAttended = 0;
    int killsInRaid = 0;
    double percentOfKills = 0;     // 0..100 (0 when the raid has no kills)
    std::int64_t pointsEarned = 0; // DKP earned from the kills attended
};

// One row per member, in the order of Raid::getMembers(). Stays count within the raid's
// period only, overlapping and repeated stays once; a stay without a known join time is not
// counted. A kill whose attendee list is empty counts for every member, as the DKP earned
// does; a kill's points count when they are above 0.
RAIDSIFT_API std::vector<MemberAttendance> computeAttendance(const Raid& raid);

} // namespace dkp
