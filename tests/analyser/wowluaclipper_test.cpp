#include "grammar/wowluaclipper.h"
#include "tree_text.h"

#include <gtest/gtest.h>

using grammar::Document;
using grammar::Node;
using grammar::WOWLUAClipper;

namespace {

// Loads with the fast parser and checks that the literal reference, and the fast parser fed
// the UTF-8 bytes, give the same tree.
Document load(const std::u16string& text) {
    WOWLUAClipper fast, fromBytes, reference;
    fast.loadString(text);
    fromBytes.loadUtf8String(ustring::toUtf8(text));
    reference.loadReferenceString(text);
    EXPECT_EQ(tree_text::of(fast.getDocument()), tree_text::of(reference.getDocument()));
    EXPECT_EQ(tree_text::of(fast.getDocument()), tree_text::of(fromBytes.getDocument()));
    return fast.getDocument();
}

std::string treeOf(const std::u16string& text) {
    return tree_text::of(load(text));
}

std::u16string withCrLf(const std::u16string& text) {
    std::u16string out;
    for (char16_t c : text) {
        if (c == u'\n')
            out += u'\r';
        out += c;
    }
    return out;
}

const std::u16string kGameLayout = u"Log = {\n"
                                   u"\t{\n"
                                   u"\t\t[\"zone\"] = \"Hall\",\n"
                                   u"\t\t[\"Join\"] = {\n"
                                   u"\t\t\t{\n"
                                   u"\t\t\t\t[\"player\"] = \"Alpha\",\n"
                                   u"\t\t\t}, -- [1]\n"
                                   u"\t\t},\n"
                                   u"\t\t[\"attendees\"] = {\n"
                                   u"\t\t\t\"Alpha\", -- [1]\n"
                                   u"\t\t\t\"Beta\", -- [2]\n"
                                   u"\t\t},\n"
                                   u"\t\t[\"dkp\"] = 10,\n"
                                   u"\t}, -- [1]\n"
                                   u"}\n"
                                   u"Version = 3\n";

} // namespace

TEST(ClipperWorkedExamples, GameLayoutGivesTheDocumentedTree) {
    EXPECT_EQ(treeOf(kGameLayout), "\"Version\" = \"3\"\n"
                                   "node \"Log\"\n"
                                   "  node \"\"\n"
                                   "    \"zone\" = \"Hall\"\n"
                                   "    \"dkp\" = \"10\"\n"
                                   "    node \"Join\"\n"
                                   "      node \"\"\n"
                                   "        \"player\" = \"Alpha\"\n"
                                   "    node \"attendees\"\n"
                                   "      \"Alpha\" = \"\"\n"
                                   "      \"Beta\" = \"\"\n");
}

TEST(ClipperWorkedExamples, FormsOutsideTheGameLayout) {
    // A comma inside a string splits the entry.
    EXPECT_EQ(treeOf(u"T = {\n\t[\"note\"] = \"a, b\",\n}\n"), "node \"T\"\n"
                                                               "  \"note\" = \"a\"\n"
                                                               "  \"\" = \"b\"\n");
    // `--` inside a string blanks the rest of the line and its line feed: `m` is swallowed.
    EXPECT_EQ(treeOf(u"T = {\n\t[\"n\"] = \"x--y\",\n\t[\"m\"] = 5,\n}\n"),
              "node \"T\"\n"
              "  \"n\" = \"x      \t[\"m\"\n");
    // Without a line feed before the inner block, its name is cut up to the line's first `=`.
    EXPECT_EQ(treeOf(u"A = { [\"x\"] = 1, [\"s\"] = { [\"y\"] = 2, }, [\"z\"] = 3, }\n"),
              "node \"A\"\n"
              "  \"z\" = \"3\"\n"
              "  node \"x\"\n"
              "    \"y\" = \"2\"\n");
    // Blanks inside quotes survive at the top level, not inside a table.
    EXPECT_EQ(treeOf(u"S = \" a \"\nT = {\n\t[\"k\"] = \" a \",\n}\n"), "\"S\" = \" a \"\n"
                                                                        "node \"T\"\n"
                                                                        "  \"k\" = \"a\"\n");
    // The position comment joins a list item's line to the next key line.
    EXPECT_EQ(treeOf(u"T = {\n\t\"a\", -- [1]\n\t[\"x\"] = {\n\t\t[\"y\"] = 1,\n\t},\n}\n"),
              "node \"T\"\n"
              "  node \",        \t[\"\n"
              "    \"y\" = \"1\"\n");
}

TEST(ClipperTopLevel, AssignmentLinesAreCutAtEqualsAndKeepCommas) {
    EXPECT_EQ(treeOf(u"V = \"p=q\"\nX = 1,\nbare line\nE =\nC = 7 -- note\n"), "\"V\" = \"p\"\n"
                                                                               "\"X\" = \"1,\"\n"
                                                                               "\"E\" = \"\"\n"
                                                                               "\"C\" = \"7\"\n");
    // The comment's blanking swallows its line feed: the next line joins the value.
    EXPECT_EQ(treeOf(u"C = 7 -- note\nE = 1\n"), "\"C\" = \"7         E\"\n");
    EXPECT_EQ(treeOf(u""), "");
    EXPECT_EQ(treeOf(u"no braces here\nA = [[x]]\n"), "\"A\" = \"[[x]]\"\n");
}

TEST(ClipperTopLevel, TextEndingWithTheTablesBraceLosesTopLevelAttributes) {
    EXPECT_EQ(treeOf(u"V = 1\nT = {\n\t[\"a\"] = 2,\n}"), "node \"T\"\n"
                                                          "  \"a\" = \"2\"\n");
    EXPECT_EQ(treeOf(u"V = 1\nT = {\n\t[\"a\"] = 2,\n}\n"), "\"V\" = \"1\"\n"
                                                            "node \"T\"\n"
                                                            "  \"a\" = \"2\"\n");
}

TEST(ClipperTables, EntryFormsInsideATable) {
    EXPECT_EQ(treeOf(u"T = {\n"
                     u"\t[\"player\"] = \"Alpha\",\n"
                     u"\t[\"count\"] = 1,\n"
                     u"\t[3] = \"x\",\n"
                     u"\t\"Alpha\", -- [1]\n"
                     u"\t7,\n"
                     u"\t[\"q\"] = \"say \\\"hi\\\"\",\n"
                     u"\t[\"last\"] = 9\n"
                     u"}\n"),
              "node \"T\"\n"
              "  \"player\" = \"Alpha\"\n"
              "  \"count\" = \"1\"\n"
              "  \"[3]\" = \"x\"\n"
              "  \"Alpha\" = \"\"\n"
              "  \"7\" = \"7\"\n"
              "  \"q\" = \"say \\\"hi\\\"\"\n");
}

TEST(ClipperTables, ClosingBracesFollowedByBraceOrSpacedComma) {
    // `}}`: the cut of the inner block leaves nothing, so the outer entries before it are lost.
    EXPECT_EQ(treeOf(u"T = {\n\t[\"a\"] = 1,\n\t[\"s\"] = {\n\t\t[\"b\"] = 2,\n\t}}\n"),
              "node \"T\"\n"
              "  node \"s\"\n"
              "    \"b\" = \"2\"\n");
    EXPECT_EQ(treeOf(u"T = {\n\t[\"a\"] = 1,\n\t[\"s\"] = {\n\t\t[\"b\"] = 2,\n\t}\n}\n"),
              "node \"T\"\n"
              "  \"a\" = \"1\"\n"
              "  node \"s\"\n"
              "    \"b\" = \"2\"\n");
    // `} ,` keeps its comma, which ends an empty entry.
    EXPECT_EQ(treeOf(u"T = {\n\t[\"s\"] = {\n\t} ,\n}\n"), "node \"T\"\n"
                                                           "  \"\" = \"\"\n"
                                                           "  node \"s\"\n");
}

TEST(ClipperTables, ListOfTablesGivesEmptyNamesAndFirstIsFound) {
    WOWLUAClipper clipper;
    clipper.loadString(u"L = {\n\t{\n\t\t[\"n\"] = 1,\n\t}, -- [1]\n\t{\n\t\t[\"n\"] = 2,\n\t}, "
                       u"-- [2]\n}\n");
    Node list, first;
    ASSERT_TRUE(clipper.getDocument().getNode(u"L", list));
    ASSERT_EQ(list.nodes.size(), 2u);
    EXPECT_EQ(list.nodes[1].name, u"");
    ASSERT_TRUE(list.getNode(u"", first));
    EXPECT_EQ(first.getAttrib(u"n"), u"1");
}

TEST(ClipperBadInput, UnbalancedAndStrayBraces) {
    // An unbalanced block ends node building; its lines become top-level attributes.
    EXPECT_EQ(treeOf(u"A = {\n\t[\"x\"] = 1,\n}\nB = {\n\t[\"y\"] = 2,\nC = 3\n"),
              "\"B\" = \"{\"\n"
              "\"y\" = \"2,\"\n"
              "\"C\" = \"3\"\n"
              "node \"A\"\n"
              "  \"x\" = \"1\"\n");
    // A stray closing brace ends its block early; what follows belongs to the level above.
    EXPECT_EQ(treeOf(u"T = {\n\t[\"a\"] = 1,\n\t}\n\t[\"b\"] = 2,\n}\n"), "\"b\" = \"2,\"\n"
                                                                          "node \"T\"\n"
                                                                          "  \"a\" = \"1\"\n");
    // An unbalanced inner block leaves its whole table unbalanced.
    EXPECT_EQ(treeOf(u"T = {\n\t[\"a\"] = 1,\n\t[\"s\"] = {\n}\n"), "\"T\" = \"{\"\n"
                                                                    "\"a\" = \"1,\"\n"
                                                                    "\"s\" = \"{\"\n");
}

TEST(ClipperLoading, SecondLoadReplacesTheFirst) {
    WOWLUAClipper clipper;
    clipper.loadString(kGameLayout);
    clipper.loadString(u"Other = {\n}\n");
    EXPECT_EQ(tree_text::of(clipper.getDocument()), "node \"Other\"\n");
}

TEST(ClipperLoading, WindowsLineEndsGiveTheSameTree) {
    // The second text differs with carriage returns kept: the name of the inner table is cut
    // from a prefix spanning several lines, so a carriage return would stay inside it.
    for (const std::u16string& text :
         {kGameLayout,
          std::u16string(u"T = {\n\t\"a\",\n\t\"b\",\n\t{\n\t\t[\"k\"] = 1,\n\t},\n}\n"),
          std::u16string(u"T = {\n\t[\"n\"] = \"x--y\",\n\t[\"m\"] = 5,\n}\nV = 1\n")}) {
        const Document lf = load(text);
        EXPECT_FALSE(lf.getNodes().empty());
        EXPECT_EQ(load(withCrLf(text)), lf) << tree_text::of(lf);
    }
    // A lone carriage return is text, not a line end.
    EXPECT_EQ(treeOf(u"A = 1\rB = 2\n"), "\"A\" = \"1\rB\"\n");
}

TEST(ClipperLoading, ByteOrderMarkIsNotPartOfTheFirstName) {
    EXPECT_EQ(treeOf(u"\uFEFFLog = {\n}\n"), "node \"Log\"\n");
    EXPECT_EQ(treeOf(u"\uFEFFVersion = 3\n"), "\"Version\" = \"3\"\n");
    // Only a leading mark is dropped.
    EXPECT_EQ(treeOf(u"V = \uFEFF\n"), "\"V\" = \"\uFEFF\"\n");
}

TEST(ClipperLoading, NestingBeyondTheDepthBoundGivesNoNodes) {
    const int levels = WOWLUAClipper::kMaxNodeDepth + 3;
    std::u16string text;
    for (int i = 0; i < levels; ++i)
        text += u"[\"k\"] = {\n[\"v\"] = 1,\n";
    for (int i = 0; i < levels; ++i)
        text += u"},\n";
    const Document document = load(text);
    ASSERT_EQ(document.getNodes().size(), 1u);
    const Node* node = &document.getNodes()[0];
    int depth = 1;
    while (!node->nodes.empty()) {
        ASSERT_EQ(node->nodes.size(), 1u);
        node = &node->nodes[0];
        ++depth;
    }
    EXPECT_EQ(depth, WOWLUAClipper::kMaxNodeDepth);
    EXPECT_EQ(node->getAttrib(u"v"), u"1");
}

// A UTF-16 text may hold surrogates without their partner, which no file's UTF-8 can: they
// reach the tree unchanged, also where a bare item's value is cut between the two halves of a
// pair.
TEST(ClipperLoading, BrokenSurrogatesReachTheTreeUnchanged) {
    for (const std::u16string& text :
         {std::u16string(
              u"V = \"a\xD800z\"\nT = {\n\t[\"k\"] = \"\xDC00\",\n\t\"\xD834\", -- [1]\n}\n"),
          std::u16string(u"T = {\n\t\"x\" \U0001D11E\U0001D11E,\n\t\"\U0001D11E\"ab,\n}\n"),
          std::u16string(u"T = {\n\t\"\xDBFF\xDBFF\" \xDFFF,\n}\n")}) {
        WOWLUAClipper fast, reference;
        fast.loadString(text);
        reference.loadReferenceString(text);
        EXPECT_EQ(fast.getDocument(), reference.getDocument())
            << tree_text::of(reference.getDocument());
    }
}

// The document is made from the parsed tree when first asked for, and from then on it is the
// clipper's tree: changes made to it stay, until the next load replaces it.
TEST(ClipperLoading, TheDocumentIsMadeOnceAndKeepsChanges) {
    WOWLUAClipper clipper;
    clipper.loadString(kGameLayout);
    clipper.getDocument().getAttribs().push_back({u"Added", u"1"});
    const WOWLUAClipper copy = clipper;
    EXPECT_EQ(copy.getDocument().getAttrib(u"Added"), u"1");
    EXPECT_EQ(clipper.getDocument().getAttrib(u"Version"), u"3");
    EXPECT_EQ(clipper.getDocument().getAttrib(u"Added"), u"1");
    clipper.loadString(kGameLayout);
    EXPECT_EQ(clipper.getDocument().getAttrib(u"Added"), u"");
    clipper.loadReferenceString(u"Other = {\n}\n");
    EXPECT_EQ(tree_text::of(clipper.getDocument()), "node \"Other\"\n");
}
