#include "dkp/raid_log.h"

#include "dkp/log_time.h"
#include "grammar/compact_tree.h"
#include "utilkit/ustring.h"

#include <algorithm>
#include <cstddef>
#include <deque>
#include <unordered_map>
#include <unordered_set>

namespace dkp {
namespace {

std::u16string trimmed(std::u16string text) {
    ustring::trimExt(text);
    return text;
}

// A raid's table in the compact tree, with the answers that the table's public form gives
// (keys are ASCII; a missing table reads as an empty one). Only the texts asked for are
// decoded.
class CompactTable {
public:
    using Tree = grammar::CompactTree;

    // `scratch` holds the last value read in place; it may be shared by many tables.
    CompactTable(const Tree& tree, const Tree::Node* node, std::u16string& scratch)
        : tree_(tree), node_(node != nullptr ? node : &empty()), scratch_(scratch) {}

    std::u16string name() const { return tree_.wide(node_->name); }
    std::u16string text(std::string_view key) const {
        const Tree::Span* value = tree_.findValue(*node_, key);
        return value == nullptr ? std::u16string() : tree_.wide(*value);
    }
    // Valid until the next value is read through the same scratch text.
    std::u16string_view value(std::string_view key) const {
        const Tree::Span* value = tree_.findValue(*node_, key);
        if (value == nullptr)
            return {};
        tree_.decode(*value, scratch_);
        return scratch_;
    }
    // Read from the bytes: a time is ASCII when the game wrote it.
    std::int64_t time(std::string_view key, LogClock& clock) const {
        const Tree::Span* value = tree_.findValue(*node_, key);
        if (value == nullptr)
            return clock.parse(std::u16string_view());
        if (tree_.isWide(*value))
            return clock.parse(tree_.wide(*value));
        return clock.parse(tree_.bytes(*value));
    }
    // Texts as keys that are equal exactly when the texts are, without decoding them: the bytes,
    // or for a text kept in UTF-16 a 0xFF byte, which no UTF-8 text holds, and its units. They
    // live as long as the tree and the store.
    using Key = std::string_view;
    using KeyStore = std::deque<std::string>;
    Key nameKey(KeyStore& store) const { return keyOf(node_->name, store); }
    Key valueKey(std::string_view key, KeyStore& store) const {
        const Tree::Span* value = tree_.findValue(*node_, key);
        return value == nullptr ? Key() : keyOf(*value, store);
    }
    bool hasChild(std::string_view key) const { return tree_.findChild(*node_, key) != nullptr; }
    CompactTable child(std::string_view key) const {
        return CompactTable(tree_, tree_.findChild(*node_, key), scratch_);
    }

    std::size_t entryCount() const { return node_->childCount; }
    std::size_t attribCount() const { return node_->attribCount; }
    template <typename Visit> void forEachEntry(Visit visit) const {
        for (const Tree::Node& entry : tree_.children(*node_)) {
            CompactTable table(tree_, &entry, scratch_);
            visit(table);
        }
    }
    template <typename Visit> void forEachAttribName(Visit visit) const {
        for (const Tree::Attrib& attrib : tree_.attribs(*node_))
            visit(tree_.wide(attrib.name));
    }

private:
    static const Tree::Node& empty() {
        static const Tree::Node kEmpty;
        return kEmpty;
    }

    Key keyOf(Tree::Span span, KeyStore& store) const {
        if (!tree_.isWide(span))
            return tree_.bytes(span);
        const std::u16string text = tree_.wide(span);
        std::string& key = store.emplace_back(1, '\xFF');
        key.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
        return key;
    }

    const Tree& tree_;
    const Tree::Node* node_;
    std::u16string& scratch_;
};

// Where each member stands in the member list, by name; the first of equal names wins, as a
// search from the front would find it. Joins and leaves find their member in constant time,
// so a raid with many players is analysed in linear time.
// (A hasher of its own keeps the table's code private to this file, out of the library's exports.)
struct NameHash {
    std::size_t operator()(const std::u16string& name) const {
        return std::hash<std::u16string>{}(name);
    }
};
using MemberIndex = std::unordered_map<std::u16string, std::size_t, NameHash>;

MemberIndex indexOf(const std::vector<Member>& members) {
    MemberIndex index;
    index.reserve(members.size());
    for (std::size_t at = 0; at < members.size(); ++at)
        index.try_emplace(members[at].name, at);
    return index;
}

// The member called exactly `name`; appended with only its name set when missing.
Member& memberCalled(std::vector<Member>& members, MemberIndex& index, std::u16string_view name) {
    const auto [found, added] = index.try_emplace(std::u16string(name), members.size());
    if (added) {
        Member member;
        member.name = name;
        members.push_back(std::move(member));
    }
    return members[found->second];
}

// The number of members that reading the raid's members gives: one for each entry of its
// player list, and one for each other name that joins or leaves.
template <typename Table> std::size_t memberCountOf(const Table& raid) {
    typename Table::KeyStore store;
    std::unordered_set<typename Table::Key> names;
    const Table infos = raid.child("PlayerInfos");
    infos.forEachEntry([&](const Table& info) { names.insert(info.nameKey(store)); });
    std::size_t count = infos.entryCount();
    for (const char* list : {"Join", "Leave"})
        raid.child(list).forEachEntry([&](const Table& entry) {
            count += names.insert(entry.valueKey("player", store)).second ? 1 : 0;
        });
    return count;
}

} // namespace

RaidLog::RaidLog(const grammar::Node* node) : node_(node) {}

void RaidLog::analyse() {
    LogClock clock; // the zone in force now
    analyse(clock);
}

// The node is read only during this call: its compact form is what the log reads, then and
// later.
void RaidLog::analyse(LogClock& clock) {
    if (node_ == nullptr)
        return;
    auto tree = std::make_shared<const grammar::CompactTree>(grammar::CompactTree::ofNode(*node_));
    const grammar::CompactTree::Index table = tree->root().firstChild;
    analyse(std::move(tree), table, clock);
}

void RaidLog::analyse(std::shared_ptr<const grammar::CompactTree> tree, std::uint32_t node,
                      LogClock& clock) {
    std::u16string scratch;
    CompactTable raid(*tree, &tree->node(node), scratch);
    clock_ = &clock;
    read(raid);
    clock_ = nullptr;
    readLater(tree, node);
}

namespace {

// Reads `value` from the raid's table in `tree` with `read` when it is first asked for.
template <typename Value, typename Read>
void readFromTreeLater(ReadLater<Value>& value,
                       const std::shared_ptr<const grammar::CompactTree>& tree, std::uint32_t node,
                       Read read) {
    value.defer([tree, node, read](Value& out) {
        std::u16string scratch;
        CompactTable table(*tree, &tree->node(node), scratch);
        read(table, out);
    });
}

} // namespace

// A copy of the log reads what it defers first, so the readers are only ever called on this
// log.
void RaidLog::readLater(const std::shared_ptr<const grammar::CompactTree>& tree,
                        std::uint32_t node) {
    if (memberCount_ > 0)
        readFromTreeLater(members_, tree, node, [this](CompactTable& table, auto& members) {
            readMembers(table, members);
        });
    if (!killTimes_.empty())
        readFromTreeLater(bossKills_, tree, node, [this](CompactTable& table, auto& kills) {
            readBossKills(table, kills);
        });
    if (!lootTimes_.empty())
        readFromTreeLater(loots_, tree, node,
                          [this](CompactTable& table, auto& loots) { readLoots(table, loots); });
}

template <typename Table> void RaidLog::read(Table& raid) {
    readStayTimes(raid);
    readTimeLine(raid);
    readRaidInfo(raid);
    memberCount_ = memberCountOf(raid);
    readBossKillFigures(raid);
    readLootFigures(raid);
}

const BossKill& RaidLog::getBossKill(const std::u16string& name) const {
    return getBossKills().getBossKill(name);
}

std::u16string RaidLog::time2String(std::int64_t time) {
    return formatYearFirst(time);
}

// Without an end time, a raid ends with its last leave (0 without leaves).
template <typename Table> void RaidLog::readTimeLine(Table& raid) {
    raidStartTime_ = clock_->parse(trimmed(raid.text("key")));
    const std::u16string endText = trimmed(raid.text("End"));
    if (!endText.empty()) {
        raidEndTime_ = clock_->parse(endText);
        return;
    }
    raidEndTime_ = 0;
    for (const std::int64_t leave : leaveTimes_)
        raidEndTime_ = std::max(raidEndTime_, leave);
}

template <typename Table> void RaidLog::readRaidInfo(Table& raid) {
    setNote(raid.text("note"));
    setZone(raid.text("zone"));
    setRealm(raid.text("Realm"));
}

template <typename Table> void RaidLog::readStayTimes(Table& raid) {
    const auto read = [&](const Table& entries, std::vector<std::int64_t>& times) {
        times.reserve(entries.entryCount());
        entries.forEachEntry(
            [&](const Table& entry) { times.push_back(entry.time("time", *clock_)); });
    };
    read(raid.child("Join"), joinTimes_);
    read(raid.child("Leave"), leaveTimes_);
}

template <typename Table>
void RaidLog::readMembers(Table& raid, std::vector<Member>& members) const {
    const Table infos = raid.child("PlayerInfos");
    members.reserve(memberCount_);
    infos.forEachEntry([&](const Table& info) {
        Member member;
        member.name = info.name();
        member.playerClass = classFromText(info.text("class"));
        member.guild = info.text("guild");
        member.level = parseDecimal(info.value("level"));
        member.race = raceFromText(info.text("race"));
        member.sex = sexFromText(info.text("sex"));
        members.push_back(std::move(member));
    });
    MemberIndex index = indexOf(members);
    // Each member's times in log order, added in one go.
    std::vector<std::vector<std::int64_t>> joins(members.size());
    std::vector<std::vector<std::int64_t>> leaves(members.size());
    const auto collect = [&](const char* key, const std::vector<std::int64_t>& times,
                             std::vector<std::vector<std::int64_t>>& perMember) {
        std::size_t next = 0;
        raid.child(key).forEachEntry([&](const Table& entry) {
            const Member& member = memberCalled(members, index, entry.value("player"));
            const auto at = static_cast<std::size_t>(&member - members.data());
            if (at >= perMember.size())
                perMember.resize(members.size());
            perMember[at].push_back(times[next++]);
        });
    };
    collect("Join", joinTimes_, joins);
    collect("Leave", leaveTimes_, leaves);
    joins.resize(members.size());
    leaves.resize(members.size());
    for (std::size_t at = 0; at < members.size(); ++at)
        members[at].addStays(joins[at], leaves[at]);
}

// What a list of raids shows of the kills: how many there are and the DKP they earned, and
// their times.
template <typename Table> void RaidLog::readBossKillFigures(Table& raid) {
    const Table entries = raid.child("BossKills");
    killTimes_.reserve(entries.entryCount());
    const auto memberCount = static_cast<std::uint32_t>(memberCount_);
    entries.forEachEntry([&](const Table& entry) {
        killTimes_.push_back(entry.time("time", *clock_));
        const std::int32_t dkp = parseDecimal(entry.value("dkp"));
        if (dkp <= 0)
            return;
        const auto attendees = static_cast<std::uint32_t>(entry.child("attendees").attribCount());
        totalObtain_ +=
            static_cast<std::uint32_t>(dkp) * (attendees == 0 ? memberCount : attendees);
    });
}

template <typename Table> void RaidLog::readBossKills(Table& raid, BossKills& kills) const {
    raid.child("BossKills").forEachEntry([&](const Table& entry) {
        BossKill kill;
        kill.name = entry.text("boss");
        kill.time = killTimes_[kills.getBossKills().size()];
        kill.dkp = parseDecimal(entry.value("dkp"));
        const Table attendees = entry.child("attendees");
        kill.attendees.reserve(attendees.attribCount());
        attendees.forEachAttribName(
            [&](const std::u16string& name) { kill.attendees.push_back(name); });
        kills.addBossKill(std::move(kill));
    });
}

// What a list of raids shows of the loot: how much there is and what it cost, and its times.
template <typename Table> void RaidLog::readLootFigures(Table& raid) {
    const Table entries = raid.child("Loot");
    lootTimes_.reserve(entries.entryCount());
    entries.forEachEntry([&](const Table& entry) {
        lootTimes_.push_back(entry.time("time", *clock_));
        const std::int32_t costs = parseDecimal(entry.value("costs"));
        const std::int32_t count = parseDecimal(entry.child("item").value("count"));
        if (costs != 0)
            totalConsume_ += static_cast<std::uint32_t>(costs) * static_cast<std::uint32_t>(count);
    });
}

template <typename Table> void RaidLog::readLoots(Table& raid, Loots& loots) const {
    const Table entries = raid.child("Loot");
    loots.reserve(lootTimes_.size());
    entries.forEachEntry([&](const Table& entry) {
        Loot loot;
        loot.costs = parseDecimal(entry.value("costs"));
        loot.player = entry.text("player");
        loot.zone = entry.text("zone");
        loot.time = lootTimes_[loots.size()];
        loot.boss = entry.text("boss");
        const Table item = entry.child("item");
        loot.rarity = rarityFromColour(item.text("c"));
        loot.id = item.text("id");
        loot.tooltip = item.text("tooltip");
        loot.name = item.text("name");
        loot.subclass = item.text("subclass");
        loot.itemClass = item.text("class");
        loot.count = parseDecimal(item.value("count"));
        loot.icon = item.text("icon");
        loots.push_back(std::move(loot));
    });
}

} // namespace dkp
