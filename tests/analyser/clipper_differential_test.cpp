// The fast clipper against the literal reference, and the raids analysed from its compact tree
// against those of the reference's document: on every input the fuzzer ever kept, on random
// saved-variables-like texts and raid tables, and on inputs that would overflow a recursive
// parser.
#include "clipper_fuzz_input.h"
#include "grammar/wowluaclipper.h"
#include "tree_text.h"

#include "testsupport/corpus.h"

#include <gtest/gtest.h>

#include <random>

using grammar::Document;
using grammar::Node;

namespace {

Document loadFast(const std::u16string& text) {
    grammar::WOWLUAClipper clipper;
    clipper.loadString(text);
    return clipper.getDocument();
}

Document loadFastFromBytes(const std::u16string& text) {
    grammar::WOWLUAClipper clipper;
    clipper.loadUtf8String(ustring::toUtf8(text));
    return clipper.getDocument();
}

Document loadReference(const std::u16string& text) {
    grammar::ReferenceWOWLUAClipper clipper;
    clipper.loadString(text);
    return clipper.getDocument();
}

void expectSameTree(const clipper_fuzz::Case& input) {
    const clipper_fuzz::Documents documents = clipper_fuzz::load(input);
    if (!documents.agree())
        ADD_FAILURE() << "input: " << input.bytes << "\nreference:\n"
                      << tree_text::of(documents.reference) << "fast, from the text:\n"
                      << tree_text::of(documents.fromText) << "fast, from the bytes:\n"
                      << tree_text::of(documents.fromBytes) << "raids of the reference:\n"
                      << documents.referenceRaids << "raids of the compact tree:\n"
                      << documents.compactRaids;
}

int depthOf(const Document& document) {
    int depth = 0;
    const std::vector<Node>* level = &document.getNodes();
    while (!level->empty()) {
        ++depth;
        level = &level->front().nodes;
    }
    return depth;
}

std::u16string repeated(std::u16string_view piece, std::size_t totalLength) {
    std::u16string text;
    text.reserve(totalLength + piece.size());
    while (text.size() < totalLength)
        text += piece;
    return text;
}

} // namespace

TEST(ClipperDifferential, EveryCorpusInputGivesTheSameTree) {
    int files = 0;
    for (const testsupport::CorpusInput& corpusInput :
         testsupport::readCorpus("tests/analyser/clipper_corpus")) {
        SCOPED_TRACE(corpusInput.name);
        for (const clipper_fuzz::Case& input : clipper_fuzz::casesFromBytes(corpusInput.bytes))
            expectSameTree(input);
        ++files;
    }
    EXPECT_GT(files, 10);
}

TEST(ClipperDifferential, RandomSavedVariablesTextsGiveTheSameTree) {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> length(0, 400);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 3000 && !HasFailure(); ++round) {
        std::string recipe(static_cast<std::size_t>(length(random)), '\0');
        for (char& c : recipe)
            c = static_cast<char>(byte(random));
        const std::u16string text = clipper_fuzz::recipeText(recipe);
        expectSameTree({ustring::toUtf8(text), text});
        const std::u16string raid = clipper_fuzz::raidRecipeText(recipe);
        expectSameTree({ustring::toUtf8(raid), raid});
    }
}

// Damage such as a crash's zeros or a torn line, thousands of characters long, in front of the
// first table and between tables, also on the line of a table: the text kept in front of a
// block then spans many lines, and its line feeds, quotes and blanks are looked up far back.
TEST(ClipperDifferential, LongJunkBeforeAndBetweenTablesGivesTheSameTree) {
    std::mt19937 random(2712);
    std::uniform_int_distribution<int> length(0, 3000);
    // Mostly zeros, as a crash leaves them, with now and then a character the parser looks for.
    constexpr char16_t kMarks[] = u"  \t\n\"x=[]-,";
    const std::u16string_view marks(kMarks, std::size(kMarks) - 1);
    std::uniform_int_distribution<std::size_t> pick(0, marks.size() * 40);
    const auto junk = [&](bool lineFeeds) {
        std::u16string text(static_cast<std::size_t>(length(random)), u'\0');
        for (char16_t& c : text)
            if (const std::size_t at = pick(random); at < marks.size())
                c = lineFeeds || marks[at] != u'\n' ? marks[at] : u' ';
        return text;
    };
    const std::u16string named = u"T = { [\"a\"] = \"1\", { [\"b\"] = 2, }, }";
    const std::u16string unnamed = u"{ [\"c\"] = 3, }";
    for (int round = 0; round < 60 && !HasFailure(); ++round) {
        const std::u16string text = junk(true) + named + junk(false) + unnamed + junk(true) +
                                    unnamed + junk(false) + named + junk(true);
        expectSameTree({ustring::toUtf8(text), text});
    }
}

// Bytes are checked sixteen at a time where they are ASCII: an ill-formed or cut sequence,
// or a valid one, at every offset around those blocks, reads as its decoded text does.
TEST(ClipperDifferential, IllFormedBytesAtEveryOffsetReadAsTheirDecodedText) {
    for (const std::string& sequence :
         {std::string("\xE6\x9A\x97"), std::string("\xE6\x9A"), std::string("\x9A"),
          std::string("\xF0\x9D\x84\x9E"), std::string("\xED\xA0\x80"), std::string("\xFF")}) {
        for (std::size_t offset = 0; offset < 40 && !HasFailure(); ++offset) {
            const std::string bytes = "T = {\n[\"" + std::string(offset, 'a') + sequence +
                                      std::string(40 - offset, 'b') + "\"] = \"" + sequence +
                                      "\",\n\"" + sequence + "\", -- [1]\n}\n";
            expectSameTree({bytes, ustring::toWideString(bytes, ustring::kUtf8CodePage)});
        }
    }
}

TEST(ClipperDifferential, DeepNestingStopsAtTheBoundInBothParsers) {
    const std::u16string deep = u"T = " + std::u16string(100000, u'{') + u"\n[\"v\"] = 1,\n" +
                                std::u16string(100000, u'}') + u"\n";
    const Document fast = loadFast(deep);
    EXPECT_EQ(depthOf(fast), grammar::WOWLUAClipper::kMaxNodeDepth);
    EXPECT_EQ(fast, loadReference(deep));
    EXPECT_EQ(fast, loadFastFromBytes(deep));

    const std::u16string unbalanced = std::u16string(100000, u'{') + u"\nX = 1\n";
    EXPECT_EQ(loadFast(unbalanced), loadReference(unbalanced));
    EXPECT_EQ(loadFast(unbalanced).getAttrib(u"X"), u"1");
}

TEST(ClipperDifferential, TenMegabytesOfOneCharacterDoNotBreakEitherParser) {
    const std::size_t size = 10 * 1024 * 1024;
    for (std::u16string_view piece : {u"{", u"}", u",", u"--"}) {
        const std::u16string text = repeated(piece, size);
        const Document fast = loadFast(text);
        EXPECT_EQ(fast, loadReference(text)) << ustring::toUtf8(piece);
        EXPECT_EQ(fast, loadFastFromBytes(text)) << ustring::toUtf8(piece);
    }
}

TEST(ClipperDifferential, TenMegabyteSingleLine) {
    // The literal steps copy the rest of the line after every cut; only the fast parser is
    // fed the whole line, the reference a slice of it.
    const std::u16string unit = u"[\"raid\"] = { [\"zone\"] = \"Hall\", [\"Join\"] = { "
                                u"{ [\"player\"] = \"Alpha\", }, }, [\"dkp\"] = 10, }, ";
    const std::u16string line = u"Log = { " + repeated(unit, 10 * 1024 * 1024) + u"}";
    const Document fast = loadFast(line);
    ASSERT_EQ(fast.getNodes().size(), 1u);
    EXPECT_GT(fast.getNodes()[0].nodes.size(), 100000u);
    EXPECT_EQ(fast, loadFastFromBytes(line));

    const std::u16string slice = u"Log = { " + repeated(unit, 20000) + u"}";
    const Document reference = loadReference(slice);
    EXPECT_EQ(loadFast(slice), reference);
    // Every repetition gives the same table, also those read after earlier parts of the text
    // were released.
    const Node& first = reference.getNodes()[0].nodes[0];
    for (const Node& table : fast.getNodes()[0].nodes)
        ASSERT_EQ(table, first);
}
