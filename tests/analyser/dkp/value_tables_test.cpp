#include "dkp/value_tables.h"

#include <gtest/gtest.h>

using namespace dkp;

TEST(ValueTables, ClassAndRaceWordsIgnoreCaseButNotBlanks) {
    EXPECT_EQ(classFromText(u"warrior"), CLASS_WARRIOR);
    EXPECT_EQ(classFromText(u"Warrior"), CLASS_WARRIOR);
    EXPECT_EQ(classFromText(u"WARRIOR"), CLASS_WARRIOR);
    EXPECT_EQ(classFromText(u"deathknight"), CLASS_DEATHKNIGHT);
    EXPECT_EQ(classFromText(u"Death Knight"), CLASS_UNKNOWN);
    EXPECT_EQ(classFromText(u" MAGE"), CLASS_UNKNOWN);
    EXPECT_EQ(classFromText(u""), CLASS_UNKNOWN);
    EXPECT_EQ(raceFromText(u"NightElf"), RACE_NIGHTELF);
    EXPECT_EQ(raceFromText(u"bloodelf"), RACE_BLOODELF);
    EXPECT_EQ(raceFromText(u"Blood Elf"), RACE_UNKNOWN);

    EXPECT_EQ(classToText(CLASS_DEATHKNIGHT), u"DeathKnight");
    EXPECT_EQ(classToText(classFromText(u"Death Knight")), u"");
    EXPECT_EQ(raceToText(RACE_NIGHTELF), u"NightElf");
    EXPECT_EQ(raceToText(RACE_GNOME), u"Gnome");
    EXPECT_EQ(classToText(static_cast<CLASS>(11)), u"");
    EXPECT_EQ(raceToText(static_cast<RACE>(-1)), u"");
}

TEST(ValueTables, ColoursCompareWholeIgnoringCase) {
    EXPECT_EQ(rarityFromColour(u"FF1EFF00"), RARITY_GREEN);
    EXPECT_EQ(rarityFromColour(u"ffa335ee"), RARITY_PURPLE);
    EXPECT_EQ(rarityFromColour(u"ffe6cc80"), RARITY_PALE_GOLD);
    EXPECT_EQ(rarityFromColour(u"ff1eff"), RARITY_GREY);
    EXPECT_EQ(rarityToColour(rarityFromColour(u"ff1eff")), u"ff9d9d9d");
    EXPECT_EQ(rarityToColour(RARITY_ORANGE), u"ffff8000");
    EXPECT_EQ(rarityToColour(static_cast<RARITY>(7)), u"");
}

TEST(ValueTables, SexKeepsTheNumberAndExportsOnlyTheGameCodes) {
    EXPECT_EQ(sexToText(sexFromText(u"2")), u"2");
    EXPECT_EQ(sexToText(sexFromText(u" 3")), u"3");
    EXPECT_EQ(sexFromText(u"1"), 1);
    EXPECT_EQ(sexToText(sexFromText(u"1")), u"");
    EXPECT_EQ(sexToText(sexFromText(u"")), u"");
    EXPECT_EQ(sexToText(sexFromText(u"female")), u"");
}

TEST(ValueTables, DecimalParseReadsTheLeadingNumberOnly) {
    EXPECT_EQ(parseDecimal(u"70"), 70);
    EXPECT_EQ(parseDecimal(u" \t-12abc"), -12);
    EXPECT_EQ(parseDecimal(u"+7"), 7);
    EXPECT_EQ(parseDecimal(u"1.5"), 1);
    EXPECT_EQ(parseDecimal(u"abc"), 0);
    EXPECT_EQ(parseDecimal(u"-"), 0);
    EXPECT_EQ(parseDecimal(u"- 5"), 0);
    EXPECT_EQ(parseDecimal(u"99999999999999999999"), 2147483647);
    EXPECT_EQ(parseDecimal(u"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(parseDecimal(u"-99999999999"), -2147483647 - 1);
}
