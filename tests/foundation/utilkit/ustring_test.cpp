#include "utilkit/ustring.h"

#include <gtest/gtest.h>

using namespace ustring;

TEST(CodePages, ChineseRoundTripsThroughUtf8AndGbk) {
    const std::u16string text = u"小怪掉落 Boss";
    EXPECT_EQ(toWideString(toNarrowString(text, kUtf8CodePage), kUtf8CodePage), text);
    const std::string gbk = toNarrowString(text, kAnsiCodePage);
    EXPECT_EQ(gbk, "\xD0\xA1\xB9\xD6\xB5\xF4\xC2\xE4 Boss");
    EXPECT_EQ(toWideString(gbk, kAnsiCodePage), text);
}

TEST(CodePages, InvalidBytesDecodeToReplacement) {
    EXPECT_EQ(toWideString("a\xFF"
                           "b",
                           kUtf8CodePage),
              u"a\uFFFDb");
    EXPECT_EQ(toWideString("\xE5\xB0", kUtf8CodePage), u"\uFFFD");                 // truncated
    EXPECT_EQ(toWideString("\xC0\xAF", kUtf8CodePage), u"\uFFFD\uFFFD");           // overlong
    EXPECT_EQ(toWideString("\xED\xA0\x80", kUtf8CodePage), u"\uFFFD\uFFFD\uFFFD"); // surrogate
    EXPECT_EQ(toWideString("a\x81", kAnsiCodePage), u"a\uFFFD");
    EXPECT_EQ(toWideString("\xFF"
                           "x",
                           kAnsiCodePage),
              u"\uFFFDx");
}

TEST(CodePages, SupplementaryAndUnmappableCharacters) {
    EXPECT_EQ(toNarrowString(u"\U0001F600", kUtf8CodePage), "\xF0\x9F\x98\x80");
    EXPECT_EQ(toWideString("\xF0\x9F\x98\x80", kUtf8CodePage), u"\U0001F600");
    EXPECT_EQ(toNarrowString(u"a\U0001F600b", kAnsiCodePage), "a?b");
    EXPECT_EQ(toNarrowString(std::u16string(1, char16_t(0xD800)), kUtf8CodePage), "\xEF\xBF\xBD");
}

// Linux converts with iconv, Windows with its own converter, whose private-use characters and
// best-fit replacements do not count as characters: both give these answers.
TEST(CodePages, GbkReplacementRulesHoldOnEverySystem) {
    struct Decoding {
        std::string gbk;
        std::u16string text;
    };
    const Decoding decodings[] = {
        {"\x80", u"\u20AC"},                         // the euro sign, one byte
        {"\xA1\xA1", u"\u3000"},                     // ideographic space
        {"\xAA\xA1", u"\uFFFD\uFFFD"},               // a pair left to users
        {"\x81\x20x", u"\uFFFD x"},                  // a lead byte before a byte it cannot lead
        {"\xD0\xA1\xFF\xD0", u"\u5C0F\uFFFD\uFFFD"}, // an invalid byte, then a cut pair
    };
    for (const Decoding& decoding : decodings)
        EXPECT_EQ(toWideString(decoding.gbk, kAnsiCodePage), decoding.text) << decoding.gbk;
    EXPECT_EQ(toNarrowString(u"\u20AC\u00FC\u00E4\uE000\u5C0F", kAnsiCodePage),
              "\x80\xA8\xB9??\xD0\xA1"); // ä has no best-fit "a", U+E000 no user-defined pair
}

TEST(Texts, ToStringAnalyzeTrimAndCase) {
    EXPECT_EQ(ToString(-2147483647 - 1), u"-2147483648");
    EXPECT_EQ(ToString(0), u"0");
    std::vector<std::u16string> pieces{u"stale"};
    EXPECT_TRUE(Analyze(u"a==b", u'=', pieces));
    EXPECT_EQ(pieces, (std::vector<std::u16string>{u"a", u"", u"b"}));
    EXPECT_TRUE(Analyze(u"x=", u'=', pieces));
    EXPECT_EQ(pieces, (std::vector<std::u16string>{u"x", u""}));
    EXPECT_FALSE(Analyze(u"", u'=', pieces));
    EXPECT_TRUE(pieces.empty());

    std::u16string padded = u" \t\r\n a b \n\t";
    trimExt(padded);
    EXPECT_EQ(padded, u"a b");
    std::u16string blanks = u" \t ";
    trimExt(blanks);
    EXPECT_EQ(blanks, u"");

    std::u16string mixed = u"Abz-Ä小";
    ToUpper(mixed);
    EXPECT_EQ(mixed, u"ABZ-Ä小");
    ToLower(mixed);
    EXPECT_EQ(mixed, u"abz-Ä小");
}

TEST(CodePages, Utf8Validity) {
    EXPECT_TRUE(isValidUtf8("plain \xE5\xB0\x8F \xF0\x9F\x98\x80"));
    EXPECT_FALSE(isValidUtf8("\xE5\xB0"));       // truncated
    EXPECT_FALSE(isValidUtf8("\xE5\n\xA7\xA7")); // lead byte cut off by a line feed
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));       // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));   // surrogate
}

// ASCII is told eight bytes at a time and then byte by byte: a high byte anywhere counts.
TEST(CodePages, AsciiTexts) {
    EXPECT_TRUE(isAscii(""));
    EXPECT_TRUE(isAscii("plain text of more than eight bytes\x7F"));
    for (std::size_t at = 0; at < 20; ++at) {
        std::string text(20, 'a');
        text[at] = '\x80';
        EXPECT_FALSE(isAscii(text)) << at;
    }
}
