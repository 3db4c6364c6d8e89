#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace devsite {

struct RaidMember {
    std::string name, race, guild, sex, playerClass;
    long long level = 0;
};

struct RaidKill {
    std::string boss;
    long long dkp = 0;
    std::string time;
    std::vector<std::string> attendees;
};

struct RaidLoot {
    std::string itemName, itemId, icon, itemClass, subClass, color;
    long long count = 0;
    std::string player;
    long long costs = 0;
    std::string time, zone, boss, tooltip;
};

// The raid information document a client uploads (UTF-8), element by element.
struct RaidDocument {
    std::string key, realm, start, end, zone, note;
    std::vector<RaidMember> members;
    std::vector<RaidKill> kills;
    std::vector<RaidLoot> loot;
};

// Reads the document. Its texts are not escaped, so a text element's content runs up to the
// first closing tag of its own name, whatever it holds; white space between elements is
// skipped. Gives nothing, with `error` set, when the elements are not in the expected order.
std::optional<RaidDocument> parseRaidDocument(std::string_view text, std::string& error);

} // namespace devsite
