#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dkpsite {

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

// The largest magnitude of a number in a raid document (kill points, loot costs, counts,
// levels). Real raids stay in the thousands; bounded like this, the sums of any number of
// events stay exact and far inside 64 bits.
inline constexpr long long kMaxDocumentNumber = 1'000'000;

// The raid information document a client uploads (UTF-8), element by element.
struct RaidDocument {
    std::string key, realm, start, end, zone, note;
    std::vector<RaidMember> members;
    std::vector<RaidKill> kills;
    std::vector<RaidLoot> loot;
};

// Reads the document. Its texts are not escaped, so a text element's content runs up to the
// first closing tag of its own name, whatever it holds; white space between elements is
// skipped. Gives nothing, with `error` set, when the elements are not in the expected order or
// a number is beyond kMaxDocumentNumber.
std::optional<RaidDocument> parseRaidDocument(std::string_view text, std::string& error);

} // namespace dkpsite
