#include "dkp/attendance.h"

#include "dkp/log_time.h"

#include <algorithm>
#include <set>

namespace dkp {
namespace {

// Widens [earliest, latest] by every known time of the log.
class TimeRange {
public:
    void add(std::int64_t time) {
        if (!isKnownTime(time))
            return;
        earliest_ = earliest_ == 0 ? time : std::min(earliest_, time);
        latest_ = std::max(latest_, time);
    }
    std::int64_t earliest() const { return earliest_; }
    std::int64_t latest() const { return latest_; }

private:
    std::int64_t earliest_ = 0;
    std::int64_t latest_ = 0;
};

TimeRange timesOfLog(const Raid& raid) {
    TimeRange range;
    for (const Member& member : raid.getMembers())
        for (const PresenceSpan& span : member.presence) {
            range.add(span.joinTime);
            range.add(span.leaveTime);
        }
    for (const BossKill& kill : raid.getBossKills().getBossKills())
        range.add(kill.time);
    for (const Loot& loot : raid.getLoots())
        range.add(loot.time);
    return range;
}

// The member's stays cut to the period, open ones ending with it.
std::vector<PresenceSpan> staysWithin(const Member& member, const RaidPeriod& period) {
    std::vector<PresenceSpan> stays;
    for (const PresenceSpan& span : member.presence) {
        if (!isKnownTime(span.joinTime))
            continue;
        const std::int64_t leave = isKnownTime(span.leaveTime) ? span.leaveTime : period.end;
        const PresenceSpan stay{std::max(span.joinTime, period.start), std::min(leave, period.end)};
        if (stay.leaveTime > stay.joinTime)
            stays.push_back(stay);
    }
    return stays;
}

std::int64_t secondsOf(const std::vector<PresenceSpan>& stretches) {
    std::int64_t total = 0;
    for (const PresenceSpan& stretch : stretches)
        total += stretch.leaveTime - stretch.joinTime;
    return total;
}

double percent(std::int64_t part, std::int64_t whole) {
    return whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

// Each kill's attendees as a set; an empty set stands for every member.
std::vector<std::set<std::u16string>> attendeeSets(const Raid& raid) {
    std::vector<std::set<std::u16string>> sets;
    for (const BossKill& kill : raid.getBossKills().getBossKills())
        sets.emplace_back(kill.attendees.begin(), kill.attendees.end());
    return sets;
}

void countKills(const Raid& raid, const std::vector<std::set<std::u16string>>& attendees,
                MemberAttendance& row) {
    const std::vector<BossKill>& kills = raid.getBossKills().getBossKills();
    row.killsInRaid = static_cast<int>(kills.size());
    for (std::size_t i = 0; i < kills.size(); ++i) {
        if (!attendees[i].empty() && !attendees[i].contains(row.name))
            continue;
        ++row.killsAttended;
        if (kills[i].dkp > 0)
            row.pointsEarned += kills[i].dkp;
    }
    row.percentOfKills = percent(row.killsAttended, row.killsInRaid);
}

} // namespace

std::vector<PresenceSpan> timePresent(const Member& member, const RaidPeriod& period) {
    return joinOverlappingStays(staysWithin(member, period));
}

std::vector<PresenceSpan> joinOverlappingStays(std::vector<PresenceSpan> stays) {
    std::sort(stays.begin(), stays.end(),
              [](const PresenceSpan& a, const PresenceSpan& b) { return a.joinTime < b.joinTime; });
    std::vector<PresenceSpan> present;
    for (const PresenceSpan& stay : stays) {
        if (!present.empty() && stay.joinTime <= present.back().leaveTime)
            present.back().leaveTime = std::max(present.back().leaveTime, stay.leaveTime);
        else
            present.push_back(stay);
    }
    return present;
}

RaidPeriod raidPeriod(const Raid& raid) {
    const RaidLog& log = raid.getRaidLog();
    RaidPeriod period{log.getRaidStartTime(), log.getRaidEndTime()};
    if (!isKnownTime(period.start) || !isKnownTime(period.end)) {
        const TimeRange range = timesOfLog(raid);
        if (!isKnownTime(period.start))
            period.start = range.earliest();
        if (!isKnownTime(period.end))
            period.end = std::max(range.latest(), period.start);
    }
    period.end = std::max(period.end, period.start);
    return period;
}

std::vector<MemberAttendance> computeAttendance(const Raid& raid) {
    const RaidPeriod period = raidPeriod(raid);
    const auto attendees = attendeeSets(raid);
    std::vector<MemberAttendance> rows;
    rows.reserve(raid.getMembers().size());
    for (const Member& member : raid.getMembers()) {
        MemberAttendance row;
        row.name = member.name;
        row.memberClass = member.playerClass;
        row.secondsPresent = secondsOf(timePresent(member, period));
        row.percentOfRaid = percent(row.secondsPresent, period.seconds());
        countKills(raid, attendees, row);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace dkp
