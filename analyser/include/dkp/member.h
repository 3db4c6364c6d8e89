#pragma once

#include "dkp/value_tables.h"
#include "raidsift/export.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dkp {

// One stay of a member in the raid; leaveTime 0 while the stay is still open.
struct RAIDSIFT_API PresenceSpan {
    std::int64_t joinTime = 0;
    std::int64_t leaveTime = 0;
};

// One player who took part in a raid; the name is the identity (case-sensitive).
class RAIDSIFT_API Member {
public:
    std::u16string name;
    SEX sex = SEX_UNKNOWN;
    CLASS playerClass = CLASS_UNKNOWN;
    RACE race = RACE_UNKNOWN;
    std::u16string guild;
    std::int32_t level = 0;
    // Sorted by join time; equal join times keep the order in which they were added.
    std::vector<PresenceSpan> presence;

    // Opens a stay at `time`, after any stays that began at the same time.
    void addJoinTime(std::int64_t time);
    // Closes the earliest open stay that began strictly before `time`; dropped if none.
    void addLeaveTime(std::int64_t time);
    // The same stays as addJoinTime for each join in turn and then addLeaveTime for each leave,
    // in n log n time however many stays one member has.
    void addStays(const std::vector<std::int64_t>& joins, const std::vector<std::int64_t>& leaves);
};

} // namespace dkp
