#include "grammar/node.h"

#include <gtest/gtest.h>

using grammar::Attrib;
using grammar::Document;
using grammar::Node;

namespace {
Node named(std::u16string name, std::vector<Attrib> attribs = {}) {
    Node node;
    node.name = std::move(name);
    node.attribs = std::move(attribs);
    return node;
}
} // namespace

TEST(NodeLookup, FirstExactMatchWinsAndResultIsACopy) {
    Node parent;
    parent.nodes = {named(u"", {{u"k", u"first"}}), named(u"", {{u"k", u"second"}}),
                    named(u"Join")};
    parent.attribs = {{u"player", u""}, {u"player", u"late"}, {u"Player", u"x"}};

    Node out;
    ASSERT_TRUE(parent.getNode(u"", out));
    EXPECT_EQ(out.getAttrib(u"k"), u"first");
    out.attribs.clear();
    EXPECT_EQ(parent.nodes[0].attribs.size(), 1u);

    EXPECT_EQ(parent.getAttrib(u"player"), u"");
    EXPECT_EQ(parent.getAttrib(u" player"), u"");
    EXPECT_EQ(parent.getAttrib(u"Player"), u"x");
}

TEST(NodeLookup, MissingNameLeavesOutputUntouched) {
    Node parent;
    parent.nodes = {named(u"a")};
    Node out = named(u"keep", {{u"x", u"1"}});
    EXPECT_FALSE(parent.getNode(u"A", out));
    EXPECT_EQ(out.name, u"keep");
    EXPECT_EQ(out.getAttrib(u"x"), u"1");
}

TEST(NodeLookup, FindNodeReadsTheFirstMatchInPlace) {
    Node parent;
    parent.nodes = {named(u"Loot", {{u"k", u"first"}}), named(u"Loot", {{u"k", u"second"}})};
    EXPECT_EQ(parent.findNode(u"Loot"), &parent.nodes[0]);
    EXPECT_EQ(parent.findNode(u"loot"), nullptr);
    Document document;
    document.getNodes() = parent.nodes;
    EXPECT_EQ(document.findNode(u"Loot"), &document.getNodes()[0]);
    EXPECT_EQ(document.findNode(u""), nullptr);
}

TEST(DocumentLookup, ClearForgetsEverything) {
    Document document;
    document.getNodes().push_back(named(u"Log"));
    document.getAttribs().push_back({u"Version", u"3"});
    Node out;
    EXPECT_TRUE(document.getNode(u"Log", out));
    EXPECT_EQ(document.getAttrib(u"Version"), u"3");
    Document copy = document;
    document.clear();
    EXPECT_FALSE(document.getNode(u"Log", out));
    EXPECT_EQ(document.getAttrib(u"Version"), u"");
    EXPECT_TRUE(copy.getNode(u"Log", out));
}

TEST(NodeOwnership, LookupIntoOwnSubtreeAndDeepDestruction) {
    Node root = named(u"root");
    root.nodes = {named(u"a", {{u"k", u"1"}}), named(u"b")};
    root.nodes[0].nodes = {named(u"inner", {{u"k", u"2"}})};
    ASSERT_TRUE(root.getNode(u"a", root));
    EXPECT_EQ(root.name, u"a");
    ASSERT_EQ(root.nodes.size(), 1u);
    EXPECT_EQ(root.nodes[0].getAttrib(u"k"), u"2");
    root = root.nodes[0];
    EXPECT_EQ(root.name, u"inner");

    // A chain far deeper than any stack could recurse through is still destroyed.
    Node chain;
    Node* tip = &chain;
    for (int i = 0; i < 1000000; ++i) {
        tip->nodes.emplace_back();
        tip = &tip->nodes.back();
    }
    Node deep = std::move(chain);
    EXPECT_TRUE(chain.nodes.empty());
    EXPECT_FALSE(deep.empty());
}
