#include "dkp/member.h"

#include <algorithm>

namespace dkp {
namespace {

bool joinsEarlier(const PresenceSpan& a, const PresenceSpan& b) {
    return a.joinTime < b.joinTime;
}

} // namespace

void Member::addJoinTime(std::int64_t time) {
    const PresenceSpan span{time, 0};
    presence.insert(std::upper_bound(presence.begin(), presence.end(), span, joinsEarlier), span);
}

void Member::addLeaveTime(std::int64_t time) {
    const auto open = std::find_if(presence.begin(), presence.end(), [&](const PresenceSpan& span) {
        return span.joinTime < time && span.leaveTime == 0;
    });
    if (open != presence.end())
        open->leaveTime = time;
}

void Member::addStays(const std::vector<std::int64_t>& joins,
                      const std::vector<std::int64_t>& leaves) {
    const auto before = static_cast<std::ptrdiff_t>(presence.size());
    presence.reserve(presence.size() + joins.size());
    for (const std::int64_t time : joins)
        presence.push_back(PresenceSpan{time, 0});
    // Both merges are stable: equal join times keep the order in which they were added.
    std::stable_sort(presence.begin() + before, presence.end(), joinsEarlier);
    std::inplace_merge(presence.begin(), presence.begin() + before, presence.end(), joinsEarlier);
    // Stays are sorted by join time, so the earliest open stay is the first open one, and a
    // leave only ever closes stays: the first open stay never moves back.
    std::size_t firstOpen = 0;
    for (const std::int64_t time : leaves) {
        while (firstOpen < presence.size() && presence[firstOpen].leaveTime != 0)
            ++firstOpen;
        if (firstOpen < presence.size() && presence[firstOpen].joinTime < time)
            presence[firstOpen].leaveTime = time;
    }
}

} // namespace dkp
