#pragma once

#include <cstddef>
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

// The longest text of each kind in a raid document, in bytes of UTF-8. Every text a guild's
// list or pages show is bounded by what it names, so that what one upload can add to them is
// bounded too (the client accepts a guild list of at most 32 MiB).
namespace document_limits {
// A character's name: at most 12 letters in the game (36 bytes in CJK), with room to spare.
inline constexpr std::size_t kName = 64;
// A race, a sex, a class, a colour, an item's class or subclass, a time, the raid's key.
inline constexpr std::size_t kWord = 64;
// A guild, a realm, a zone, a boss, an item's name or id, an icon.
inline constexpr std::size_t kTitle = 256;
// The raid's note and an item's tooltip: a few lines of text.
inline constexpr std::size_t kNote = 8 * 1024;
// Entries of each list. A raid has at most 40 members, a few dozen kills and a few hundred
// loot; the limits are ten times that and more.
inline constexpr std::size_t kMembers = 1000;
inline constexpr std::size_t kKills = 1000;
inline constexpr std::size_t kLoot = 10000;
} // namespace document_limits

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
// a number is beyond kMaxDocumentNumber, a text or a list is over its document_limits, or the
// text is not UTF-8.
std::optional<RaidDocument> parseRaidDocument(std::string_view text, std::string& error);

// The document as the client writes it (plain elements in their order, texts not escaped);
// parseRaidDocument reads it back unless a text holds the closing tag of its own element.
std::string raidDocumentText(const RaidDocument& raid);

} // namespace dkpsite
