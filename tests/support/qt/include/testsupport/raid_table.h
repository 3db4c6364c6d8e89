#pragma once

// Raids built from the table shape the addon saves, for the wizard's widget tests.
#include "raidsift.h"

#include <memory>
#include <string>
#include <vector>

namespace testsupport {

class RaidTable {
public:
    explicit RaidTable(const std::u16string& start = u"01/25/08 20:03:13",
                       const std::u16string& zone = u"Hall") {
        table_.attribs.push_back({u"key", start});
        if (!zone.empty())
            table_.attribs.push_back({u"zone", zone});
        table_.nodes.push_back(section(u"PlayerInfos"));
        table_.nodes.push_back(section(u"BossKills"));
        table_.nodes.push_back(section(u"Loot"));
    }

    RaidTable& member(const std::u16string& name) {
        grammar::Node player;
        player.name = name;
        player.attribs.push_back({u"class", u"MAGE"});
        child(u"PlayerInfos").nodes.push_back(player);
        return *this;
    }

    RaidTable& kill(const std::u16string& boss, int dkp,
                    const std::vector<std::u16string>& attendees = {}) {
        grammar::Node entry = numbered(child(u"BossKills"));
        entry.attribs.push_back({u"boss", boss});
        entry.attribs.push_back({u"time", u"01/25/08 21:00:00"});
        entry.attribs.push_back({u"dkp", std::u16string(toText(dkp))});
        grammar::Node list;
        list.name = u"attendees";
        for (const auto& name : attendees)
            list.attribs.push_back({name, u""});
        entry.nodes.push_back(list);
        child(u"BossKills").nodes.push_back(entry);
        return *this;
    }

    RaidTable& loot(const std::u16string& item, const std::u16string& player, int costs,
                    const std::u16string& boss) {
        grammar::Node entry = numbered(child(u"Loot"));
        entry.attribs.push_back({u"player", player});
        entry.attribs.push_back({u"costs", toText(costs)});
        entry.attribs.push_back({u"boss", boss});
        grammar::Node itemTable;
        itemTable.name = u"item";
        itemTable.attribs.push_back({u"name", item});
        itemTable.attribs.push_back({u"count", u"1"});
        entry.nodes.push_back(itemTable);
        child(u"Loot").nodes.push_back(entry);
        return *this;
    }

    std::unique_ptr<dkp::Raid> build() const {
        auto raid = std::make_unique<dkp::Raid>();
        raid->loadFromNode(&table_);
        return raid;
    }

    const grammar::Node& table() const { return table_; }

private:
    static grammar::Node section(const std::u16string& name) {
        grammar::Node node;
        node.name = name;
        return node;
    }
    static grammar::Node numbered(const grammar::Node& parent) {
        grammar::Node node;
        node.name = toText(static_cast<int>(parent.nodes.size()) + 1);
        return node;
    }
    static std::u16string toText(int value) {
        const std::string digits = std::to_string(value);
        return std::u16string(digits.begin(), digits.end());
    }
    grammar::Node& child(const std::u16string& name) {
        for (auto& node : table_.nodes)
            if (node.name == name)
                return node;
        return table_.nodes.front();
    }

    grammar::Node table_;
};

// Names "<prefix>1", "<prefix>2", ... for long attendee and loot lists.
inline std::vector<std::u16string> numberedNames(const std::u16string& prefix, int count) {
    std::vector<std::u16string> names;
    for (int i = 1; i <= count; ++i) {
        const std::string digits = std::to_string(i);
        names.push_back(prefix + std::u16string(digits.begin(), digits.end()));
    }
    return names;
}

} // namespace testsupport
