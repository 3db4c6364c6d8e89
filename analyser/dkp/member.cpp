#include "dkp/member.h"

#include <algorithm>

namespace dkp {

void Member::addJoinTime(std::int64_t time) {
    const auto later = std::find_if(presence.begin(), presence.end(),
                                    [&](const PresenceSpan& span) { return span.joinTime > time; });
    presence.insert(later, PresenceSpan{time, 0});
}

void Member::addLeaveTime(std::int64_t time) {
    const auto open = std::find_if(presence.begin(), presence.end(), [&](const PresenceSpan& span) {
        return span.joinTime < time && span.leaveTime == 0;
    });
    if (open != presence.end())
        open->leaveTime = time;
}

} // namespace dkp
