#include "dkp/raid_log.h"

#include "dkp/log_time.h"
#include "grammar/compact_tree.h"
#include "utilkit/ustring.h"

#include <algorithm>
#include <cstddef>
#include <unordered_map>

namespace dkp {
namespace {

std::u16string trimmed(std::u16string text) {
    ustring::trimExt(text);
    return text;
}

std::u16string wide(std::string_view asciiKey) {
    return std::u16string(asciiKey.begin(), asciiKey.end());
}

// A table of the public tree, read in place; a missing table reads as an empty one. Keys are
// ASCII.
class PublicTable {
public:
    explicit PublicTable(const grammar::Node* node) : node_(node != nullptr ? node : &empty()) {}

    std::u16string name() const { return node_->name; }
    // The value of the first attribute called `key`, or the empty text.
    std::u16string text(std::string_view key) const { return node_->getAttrib(wide(key)); }
    // The same, read in place.
    std::u16string_view value(std::string_view key) const {
        const std::u16string* value = node_->findAttrib(wide(key));
        return value == nullptr ? std::u16string_view() : std::u16string_view(*value);
    }
    bool hasChild(std::string_view key) const { return node_->findNode(wide(key)) != nullptr; }
    PublicTable child(std::string_view key) const {
        return PublicTable(node_->findNode(wide(key)));
    }

    std::size_t entryCount() const { return node_->nodes.size(); }
    std::size_t attribCount() const { return node_->attribs.size(); }
    template <typename Visit> void forEachEntry(Visit visit) const {
        for (const grammar::Node& entry : node_->nodes) {
            PublicTable table(&entry);
            visit(table);
        }
    }
    template <typename Visit> void forEachAttribName(Visit visit) const {
        for (const grammar::Attrib& attrib : node_->attribs)
            visit(attrib.name);
    }

private:
    static const grammar::Node& empty() {
        static const grammar::Node kEmpty;
        return kEmpty;
    }

    const grammar::Node* node_;
};

// A table of the compact tree, with the same answers as PublicTable gives for the table's
// public form. Only the texts asked for are decoded.
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

} // namespace

RaidLog::RaidLog(const grammar::Node* node) : node_(node) {}

void RaidLog::analyse() {
    LogClock clock; // the zone in force now
    analyse(clock);
}

void RaidLog::analyse(LogClock& clock) {
    if (node_ == nullptr)
        return;
    PublicTable raid(node_);
    clock_ = &clock;
    read(raid);
    clock_ = nullptr;
    readLoots(raid, loots_.filled()); // the node is read only during this call
}

void RaidLog::analyse(std::shared_ptr<const grammar::CompactTree> tree, std::uint32_t node,
                      LogClock& clock) {
    std::u16string scratch;
    CompactTable raid(*tree, &tree->node(node), scratch);
    clock_ = &clock;
    read(raid);
    clock_ = nullptr;
    if (lootTimes_.empty())
        return;
    // A copy of the log reads the loot first, so the reader is only ever called on this log.
    loots_.defer([this, tree = std::move(tree), node](Loots& loots) {
        std::u16string scratch;
        CompactTable table(*tree, &tree->node(node), scratch);
        readLoots(table, loots);
    });
}

template <typename Table> void RaidLog::read(Table& raid) {
    readTimeLine(raid);
    readRaidInfo(raid);
    readMembers(raid);
    readBossKills(raid);
    readLootFigures(raid);
}

const BossKill& RaidLog::getBossKill(const std::u16string& name) const {
    return bossKills_.getBossKill(name);
}

std::u16string RaidLog::time2String(std::int64_t time) {
    return formatYearFirst(time);
}

template <typename Table> void RaidLog::readTimeLine(Table& raid) {
    raidStartTime_ = clock_->parse(trimmed(raid.text("key")));
    const std::u16string endText = trimmed(raid.text("End"));
    if (!endText.empty()) {
        raidEndTime_ = clock_->parse(endText);
        return;
    }
    if (raid.hasChild("Leave")) {
        raidEndTime_ = 0;
        raid.child("Leave").forEachEntry([&](const Table& leave) {
            raidEndTime_ = std::max(raidEndTime_, clock_->parse(leave.value("time")));
        });
    }
}

template <typename Table> void RaidLog::readRaidInfo(Table& raid) {
    setNote(raid.text("note"));
    setZone(raid.text("zone"));
    setRealm(raid.text("Realm"));
}

template <typename Table> void RaidLog::readMembers(Table& raid) {
    const Table infos = raid.child("PlayerInfos");
    members_.reserve(members_.size() + infos.entryCount());
    infos.forEachEntry([&](const Table& info) {
        Member member;
        member.name = info.name();
        member.playerClass = classFromText(info.text("class"));
        member.guild = info.text("guild");
        member.level = parseDecimal(info.value("level"));
        member.race = raceFromText(info.text("race"));
        member.sex = sexFromText(info.text("sex"));
        members_.push_back(std::move(member));
    });
    MemberIndex index = indexOf(members_);
    raid.child("Join").forEachEntry([&](const Table& join) {
        Member& member = memberCalled(members_, index, join.value("player"));
        member.addJoinTime(clock_->parse(join.value("time")));
    });
    raid.child("Leave").forEachEntry([&](const Table& leave) {
        Member& member = memberCalled(members_, index, leave.value("player"));
        member.addLeaveTime(clock_->parse(leave.value("time")));
    });
}

template <typename Table> void RaidLog::readBossKills(Table& raid) {
    raid.child("BossKills").forEachEntry([&](const Table& entry) {
        BossKill kill;
        kill.name = entry.text("boss");
        kill.time = clock_->parse(entry.value("time"));
        kill.dkp = parseDecimal(entry.value("dkp"));
        const Table attendees = entry.child("attendees");
        kill.attendees.reserve(attendees.attribCount());
        attendees.forEachAttribName(
            [&](const std::u16string& name) { kill.attendees.push_back(name); });
        bossKills_.addBossKill(std::move(kill));
    });
}

// What a list of raids shows of the loot: how much there is and what it cost, and the times,
// which are read with the clock of the analysis whenever the texts are read.
template <typename Table> void RaidLog::readLootFigures(Table& raid) {
    const Table entries = raid.child("Loot");
    lootTimes_.reserve(entries.entryCount());
    entries.forEachEntry([&](const Table& entry) {
        lootTimes_.push_back(clock_->parse(entry.value("time")));
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
