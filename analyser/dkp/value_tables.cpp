#include "dkp/value_tables.h"

#include "utilkit/ustring.h"

#include <array>
#include <limits>

namespace dkp {
namespace {

// Index = enumeration value; entry 0 is the "anything else" row.
struct Spelling {
    const char16_t* logWord;
    const char16_t* exportWord;
};

constexpr std::array<Spelling, 11> kClasses{{
    {u"", u""},
    {u"WARRIOR", u"Warrior"},
    {u"ROGUE", u"Rogue"},
    {u"HUNTER", u"Hunter"},
    {u"PALADIN", u"Paladin"},
    {u"SHAMAN", u"Shaman"},
    {u"DRUID", u"Druid"},
    {u"WARLOCK", u"Warlock"},
    {u"MAGE", u"Mage"},
    {u"PRIEST", u"Priest"},
    {u"DEATHKNIGHT", u"DeathKnight"},
}};

constexpr std::array<Spelling, 11> kRaces{{
    {u"", u""},
    {u"GNOME", u"Gnome"},
    {u"HUMAN", u"Human"},
    {u"DWARF", u"Dwarf"},
    {u"NIGHTELF", u"NightElf"},
    {u"TROLL", u"Troll"},
    {u"SCOURGE", u"Scourge"},
    {u"ORC", u"Orc"},
    {u"TAUREN", u"Tauren"},
    {u"DRAENEI", u"Draenei"},
    {u"BLOODELF", u"BloodElf"},
}};

constexpr std::array<const char16_t*, 7> kColours{
    u"ff9d9d9d", u"ffffffff", u"ff1eff00", u"ff0070dd", u"ffa335ee", u"ffff8000", u"ffe6cc80",
};

template <std::size_t N>
std::int32_t lookUpLogWord(const std::array<Spelling, N>& table, std::u16string text) {
    ustring::ToUpper(text);
    for (std::size_t value = 1; value < N; ++value)
        if (text == table[value].logWord)
            return static_cast<std::int32_t>(value);
    return 0;
}

template <std::size_t N>
std::u16string exportWordOf(const std::array<Spelling, N>& table, std::int32_t value) {
    if (value <= 0 || static_cast<std::size_t>(value) >= N)
        return {};
    return table[static_cast<std::size_t>(value)].exportWord;
}

bool isWhiteSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

} // namespace

CLASS classFromText(const std::u16string& text) {
    return static_cast<CLASS>(lookUpLogWord(kClasses, text));
}

RACE raceFromText(const std::u16string& text) {
    return static_cast<RACE>(lookUpLogWord(kRaces, text));
}

SEX sexFromText(const std::u16string& text) {
    return static_cast<SEX>(parseDecimal(text));
}

RARITY rarityFromColour(const std::u16string& colour) {
    std::u16string lower = colour;
    ustring::ToLower(lower);
    for (std::size_t value = 0; value < kColours.size(); ++value)
        if (lower == kColours[value])
            return static_cast<RARITY>(value);
    return RARITY_GREY;
}

std::u16string classToText(CLASS value) {
    return exportWordOf(kClasses, value);
}

std::u16string classToToken(CLASS value) {
    if (value <= 0 || static_cast<std::size_t>(value) >= kClasses.size())
        return {};
    return kClasses[static_cast<std::size_t>(value)].logWord;
}

std::u16string raceToText(RACE value) {
    return exportWordOf(kRaces, value);
}

std::u16string sexToText(SEX value) {
    if (value == SEX_MALE || value == SEX_FEMALE)
        return ustring::ToString(value);
    return {};
}

std::u16string rarityToColour(RARITY value) {
    if (value < 0 || static_cast<std::size_t>(value) >= kColours.size())
        return {};
    return kColours[static_cast<std::size_t>(value)];
}

std::int32_t parseDecimal(std::u16string_view text) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    std::size_t i = 0;
    while (i < text.size() && isWhiteSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - u'0');
        if (magnitude > kMax + 1)
            magnitude = kMax + 1; // stays beyond the range; clamped below
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<std::int32_t>(value > kMax ? kMax : value < kMin ? kMin : value);
}

} // namespace dkp
