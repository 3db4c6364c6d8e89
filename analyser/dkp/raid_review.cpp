#include "dkp/raid_review.h"

#include "dkp/log_time.h"
#include "utilkit/ustring.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace dkp {
namespace {

// The same item to the same player again within this many seconds reads as one entry made twice.
constexpr std::int64_t kDoubleEntrySeconds = 60;

std::string utf8(const std::u16string& text) {
    return ustring::toUtf8(text);
}

std::u16string quoted(const std::u16string& text) {
    return u"“" + text + u"”";
}

std::string quotedEnglish(const std::u16string& text) {
    std::string out = "\"";
    out += utf8(text);
    out += '"';
    return out;
}

std::u16string trimmed(std::u16string text) {
    ustring::trimExt(text);
    return text;
}

class Review {
public:
    explicit Review(const Raid& raid) : raid_(raid), log_(raid.getRaidLog()) {}

    std::vector<ReviewFinding> run() {
        checkRaid();
        for (const BossKill& kill : raid_.getBossKills().getBossKills())
            checkKill(kill);
        checkLoot();
        checkDoubleEntries();
        for (const Member& member : raid_.getMembers())
            checkStillPresent(member);
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const ReviewFinding& a, const ReviewFinding& b) {
                             return static_cast<int>(a.level) < static_cast<int>(b.level);
                         });
        return std::move(findings_);
    }

private:
    void add(FindingLevel level, const char* code, std::u16string chinese, std::string english) {
        findings_.push_back({level, code, std::move(chinese), std::move(english)});
    }

    bool outsideRaid(std::int64_t time) const {
        const std::int64_t start = log_.getRaidStartTime();
        const std::int64_t end = log_.getRaidEndTime();
        return (isKnownTime(start) && time < start) || (isKnownTime(end) && time > end);
    }

    void checkRaid() {
        if (!isKnownTime(log_.getRaidStartTime()))
            add(FindingLevel::Error, "no-start-time", u"活动没有开始时间",
                "the raid has no start time");
        if (!isKnownTime(log_.getRaidEndTime()))
            add(FindingLevel::Warning, "no-end-time", u"活动没有结束时间，出勤算到记录中最晚的时间",
                "the raid has no end time; attendance counts up to the latest time in the log");
        if (trimmed(log_.getZone()).empty())
            add(FindingLevel::Warning, "no-zone", u"活动没有副本名称", "the raid has no zone");
        if (raid_.getBossKills().getBossKills().empty())
            add(FindingLevel::Warning, "no-boss-kills", u"活动没有首领击杀记录",
                "the raid has no boss kills");
    }

    void checkKill(const BossKill& kill) {
        if (kill.attendees.empty())
            add(FindingLevel::Warning, "kill-without-attendees",
                u"首领" + quoted(kill.name) + u"的击杀没有参与人员（分值记给全部成员）",
                "boss kill " + quotedEnglish(kill.name) +
                    " has no attendees (its points go to every member)");
        if (!isKnownTime(kill.time))
            add(FindingLevel::Warning, "kill-without-time",
                u"首领" + quoted(kill.name) + u"的击杀没有时间",
                "boss kill " + quotedEnglish(kill.name) + " has no time");
        else if (outsideRaid(kill.time))
            add(FindingLevel::Error, "kill-outside-raid",
                u"首领" + quoted(kill.name) + u"的击杀时间 " + formatYearFirst(kill.time) +
                    u" 不在活动的开始与结束之间",
                "boss kill " + quotedEnglish(kill.name) + " at " +
                    utf8(formatYearFirst(kill.time)) + " lies outside the raid's start and end");
    }

    std::set<std::u16string> peopleInRaid() const {
        std::set<std::u16string> names;
        for (const Member& member : raid_.getMembers())
            names.insert(member.name);
        for (const BossKill& kill : raid_.getBossKills().getBossKills())
            names.insert(kill.attendees.begin(), kill.attendees.end());
        return names;
    }

    void checkLoot() {
        const std::set<std::u16string> people = peopleInRaid();
        for (const Loot& loot : raid_.getLoots()) {
            const std::u16string item = quoted(loot.name);
            const std::string itemEnglish = "item " + quotedEnglish(loot.name);
            const bool noLooter = trimmed(loot.player).empty();
            if (trimmed(loot.name).empty())
                checkNameless(loot);
            if (noLooter && loot.costs != 0)
                add(FindingLevel::Error, "cost-without-looter",
                    u"物品" + item + u"花费 " + ustring::ToString(loot.costs) +
                        u" 分，但没有获得者",
                    itemEnglish + " costs " + std::to_string(loot.costs) +
                        " points but has no looter");
            if (!noLooter && !people.contains(loot.player))
                add(FindingLevel::Error, "loot-to-stranger",
                    u"物品" + item + u"分给了从未在活动中的" + quoted(loot.player),
                    itemEnglish + " went to " + quotedEnglish(loot.player) +
                        ", who was never in the raid");
            if (!isKnownTime(loot.time))
                add(FindingLevel::Warning, "loot-without-time", u"物品" + item + u"没有时间",
                    itemEnglish + " has no time");
            else if (outsideRaid(loot.time))
                add(FindingLevel::Error, "loot-outside-raid",
                    u"物品" + item + u"的时间 " + formatYearFirst(loot.time) +
                        u" 不在活动的开始与结束之间",
                    itemEnglish + " at " + utf8(formatYearFirst(loot.time)) +
                        " lies outside the raid's start and end");
        }
    }

    void checkNameless(const Loot& loot) {
        if (trimmed(loot.id).empty())
            add(FindingLevel::Warning, "loot-without-name", u"一件物品既没有名称也没有编号",
                "an item has neither a name nor an id");
        else
            add(FindingLevel::Warning, "loot-without-name",
                u"编号为" + quoted(loot.id) + u"的物品没有名称",
                "the item with id " + quotedEnglish(loot.id) + " has no name");
    }

    // Loot ordered by player, item and time, so that entries of one item to one player stand
    // next to each other, earliest first.
    void checkDoubleEntries() {
        const Loots& loots = raid_.getLoots();
        const auto itemOf = [](const Loot& loot) { return loot.id.empty() ? loot.name : loot.id; };
        std::vector<const Loot*> order;
        for (const Loot& loot : loots)
            if (!trimmed(loot.player).empty() && isKnownTime(loot.time))
                order.push_back(&loot);
        std::stable_sort(order.begin(), order.end(), [&](const Loot* a, const Loot* b) {
            return std::forward_as_tuple(a->player, itemOf(*a), a->time) <
                   std::forward_as_tuple(b->player, itemOf(*b), b->time);
        });
        for (std::size_t i = 1; i < order.size(); ++i) {
            const Loot& earlier = *order[i - 1];
            const Loot& later = *order[i];
            if (earlier.player != later.player || itemOf(earlier) != itemOf(later) ||
                later.time - earlier.time > kDoubleEntrySeconds)
                continue;
            add(FindingLevel::Warning, "double-entry",
                u"物品" + quoted(later.name) + u"在一分钟内两次分给" + quoted(later.player) +
                    u"（重复记录？）",
                "item " + quotedEnglish(later.name) + " went to " + quotedEnglish(later.player) +
                    " twice within a minute (entered twice?)");
        }
    }

    void checkStillPresent(const Member& member) {
        const bool open = std::any_of(
            member.presence.begin(), member.presence.end(), [](const PresenceSpan& span) {
                return isKnownTime(span.joinTime) && !isKnownTime(span.leaveTime);
            });
        if (open)
            add(FindingLevel::Info, "still-present",
                quoted(member.name) + u"到活动结束时仍在团队中，没有离开记录",
                quotedEnglish(member.name) + " is still in the raid at its end (no leave record)");
    }

    const Raid& raid_;
    const RaidLog& log_;
    std::vector<ReviewFinding> findings_;
};

} // namespace

std::vector<ReviewFinding> reviewRaid(const Raid& raid) {
    return Review(raid).run();
}

ReviewCounts countFindings(const std::vector<ReviewFinding>& findings) {
    ReviewCounts counts;
    for (const ReviewFinding& finding : findings) {
        switch (finding.level) {
        case FindingLevel::Error:
            ++counts.errors;
            break;
        case FindingLevel::Warning:
            ++counts.warnings;
            break;
        case FindingLevel::Info:
            ++counts.infos;
            break;
        }
    }
    return counts;
}

const char* findingLevelName(FindingLevel level) {
    switch (level) {
    case FindingLevel::Error:
        return "error";
    case FindingLevel::Warning:
        return "warning";
    case FindingLevel::Info:
        break;
    }
    return "note";
}

} // namespace dkp
