#pragma once

#include "raidsift/export.h"

#include <cstdint>
#include <string>
#include <string_view>

// Item quality, as the game's item-quality colour that the raid log writes.
enum RARITY : std::int32_t {
    RARITY_GREY = 0,
    RARITY_WHITE = 1,
    RARITY_GREEN = 2,
    RARITY_BLUE = 3,
    RARITY_PURPLE = 4,
    RARITY_ORANGE = 5,
    RARITY_PALE_GOLD = 6,
};

enum CLASS : std::int32_t {
    CLASS_UNKNOWN = 0,
    CLASS_WARRIOR = 1,
    CLASS_ROGUE = 2,
    CLASS_HUNTER = 3,
    CLASS_PALADIN = 4,
    CLASS_SHAMAN = 5,
    CLASS_DRUID = 6,
    CLASS_WARLOCK = 7,
    CLASS_MAGE = 8,
    CLASS_PRIEST = 9,
    CLASS_DEATHKNIGHT = 10,
};

enum RACE : std::int32_t {
    RACE_UNKNOWN = 0,
    RACE_GNOME = 1,
    RACE_HUMAN = 2,
    RACE_DWARF = 3,
    RACE_NIGHTELF = 4,
    RACE_TROLL = 5,
    RACE_SCOURGE = 6,
    RACE_ORC = 7,
    RACE_TAUREN = 8,
    RACE_DRAENEI = 9,
    RACE_BLOODELF = 10,
};

// The number the log stores; the game writes 2 and 3. Any other number is held unchanged.
enum SEX : std::int32_t {
    SEX_UNKNOWN = 0,
    SEX_MALE = 2,
    SEX_FEMALE = 3,
};

namespace dkp {

// Text to value, as the raid log is read. Words are compared whole after upper-casing the
// Latin letters (nothing is trimmed); no match gives 0.
RAIDSIFT_API CLASS classFromText(const std::u16string& text);
RAIDSIFT_API RACE raceFromText(const std::u16string& text);
// Decimal parse of the stored number (see parseDecimal).
RAIDSIFT_API SEX sexFromText(const std::u16string& text);
// The colour compared whole after lower-casing; no match gives grey (0).
RAIDSIFT_API RARITY rarityFromColour(const std::u16string& colour);

// Value to text, as the upload document writes it: empty for 0 and for any value outside
// the tables.
RAIDSIFT_API std::u16string classToText(CLASS value);
RAIDSIFT_API std::u16string raceToText(RACE value);
RAIDSIFT_API std::u16string sexToText(SEX value);
RAIDSIFT_API std::u16string rarityToColour(RARITY value);

// The game's own token of a class, as the log writes it ("WARRIOR"); empty for 0 and for any
// value outside the table.
RAIDSIFT_API std::u16string classToToken(CLASS value);

// Reads optional leading white space and a sign, then the leading decimal digits; a text
// without digits gives 0. Values beyond the 32-bit range are clamped to it.
RAIDSIFT_API std::int32_t parseDecimal(std::u16string_view text);

} // namespace dkp
