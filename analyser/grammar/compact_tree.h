#pragma once

#include "grammar/node.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace grammar {

// The tree of a saved-variables text as the fast clipper builds it from the file's UTF-8
// bytes: nodes and attributes in two contiguous arrays, names and values as ranges of the
// cleaned text. Nothing is decoded to UTF-16 until a caller asks for a text, so reading a few
// values of a large file costs little beyond one pass over its bytes. Internal to the
// library; the public `Document` is made from it by appendToDocument.
class CompactTree {
public:
    using Index = std::uint32_t;

    // Where a name or value is held. Most are a range of the text; a text that the cuts
    // joined from two places is copied to the joined bytes (`offset` marked by kJoined); a
    // value cut inside a character that has no UTF-8 form on its own is kept as UTF-16
    // (`size` kWide, `offset` its number).
    struct Span {
        std::uint32_t offset = 0;
        std::uint32_t size = 0;
    };
    struct Attrib {
        Span name;
        Span value;
    };
    // Children and attributes of a node are contiguous ranges of the two arrays.
    struct Node {
        Span name;
        Index firstAttrib = 0;
        Index attribCount = 0;
        Index firstChild = 0;
        Index childCount = 0;
    };

    // The node of the document's top level: its children are the top-level tables and its
    // attributes the top-level assignments.
    static constexpr Index kRoot = 0;

    CompactTree();

    const Node& node(Index index) const { return nodes_[index]; }
    Node& node(Index index) { return nodes_[index]; }
    const Node& root() const { return nodes_[kRoot]; }
    std::span<const Node> children(const Node& node) const;
    std::span<const Attrib> attribs(const Node& node) const;
    Index indexOf(const Node& node) const { return static_cast<Index>(&node - nodes_.data()); }

    // The first child, or the value of the first attribute, called exactly `name` (ASCII
    // only); null when there is none.
    const Node* findChild(const Node& node, std::string_view name) const;
    const Span* findValue(const Node& node, std::string_view name) const;

    bool isNamed(Span span, std::string_view asciiName) const;
    // The UTF-8 bytes of a span; empty for one kept as UTF-16.
    std::string_view bytes(Span span) const;
    bool isWide(Span span) const { return span.size == kWide; }
    // The span as the UTF-16 text the public tree holds.
    std::u16string wide(Span span) const;
    // The same into `out`, reusing its storage.
    void decode(Span span, std::u16string& out) const;

    // Appends the public form of the whole tree to `document`.
    void appendToDocument(Document& document) const;
    // The compact form of a public node: a tree whose only top-level table is `node`.
    static CompactTree ofNode(const grammar::Node& node);

    // Building, for the clipper.
    std::string& text() { return text_; }
    const std::string& text() const { return text_; }
    Span textSpan(std::size_t offset, std::size_t size) const;
    Span joinedSpan(std::string_view bytes);
    Span wideSpan(std::u16string text);
    // Appends `count` nodes and returns the index of the first.
    Index addNodes(std::size_t count);
    // Called for every entry of a file: kept in line.
    void addAttrib(Index node, Attrib attrib) {
        Node& owner = nodes_[node];
        if (owner.attribCount == 0)
            owner.firstAttrib = static_cast<Index>(attribs_.size());
        attribs_.push_back(attrib);
        ++owner.attribCount;
    }
    // Room for that many nodes (the root included) and attributes, known from the text.
    void reserve(std::size_t nodes, std::size_t attribs);
    std::size_t attribCount() const { return attribs_.size(); }

private:
    static constexpr std::uint32_t kJoined = 0x80000000u;
    static constexpr std::uint32_t kWide = 0xFFFFFFFFu;

    void appendPublic(const Node& node, grammar::Node& out) const;
    Span spanOf(const std::u16string& text);

    std::string text_;
    std::string joined_;
    std::vector<std::u16string> wide_;
    std::vector<Node> nodes_;
    std::vector<Attrib> attribs_;
};

} // namespace grammar
