#include "grammar/compact_tree.h"

#include "grammar/utf8_units.h"
#include "utilkit/large_pages.h"
#include "utilkit/ustring.h"

#include <algorithm>
#include <cstring>

namespace grammar {

CompactTree::CompactTree() : nodes_(1) {}

std::span<const CompactTree::Node> CompactTree::children(const Node& node) const {
    return {nodes_.data() + node.firstChild, node.childCount};
}

std::span<const CompactTree::Attrib> CompactTree::attribs(const Node& node) const {
    return {attribs_.data() + node.firstAttrib, node.attribCount};
}

const CompactTree::Node* CompactTree::findChild(const Node& node, std::string_view name) const {
    for (const Node& child : children(node))
        if (isNamed(child.name, name))
            return &child;
    return nullptr;
}

const CompactTree::Span* CompactTree::findValue(const Node& node, std::string_view name) const {
    for (const Attrib& attrib : attribs(node))
        if (isNamed(attrib.name, name))
            return &attrib.value;
    return nullptr;
}

// A non-ASCII byte never decodes to an ASCII unit, so the bytes are equal exactly when the
// decoded texts are.
bool CompactTree::isNamed(Span span, std::string_view asciiName) const {
    if (isWide(span)) {
        const std::u16string& text = wide_[span.offset];
        return std::equal(text.begin(), text.end(), asciiName.begin(), asciiName.end(),
                          [](char16_t unit, char c) { return unit == static_cast<char16_t>(c); });
    }
    if (span.size != asciiName.size())
        return false;
    const char* bytes = (span.offset & kJoined) != 0 ? joined_.data() + (span.offset & ~kJoined)
                                                     : text_.data() + span.offset;
    // Keys are a few bytes long and most differ in their first: compared in line, this costs
    // less than a call.
    for (std::size_t i = 0; i < asciiName.size(); ++i)
        if (bytes[i] != asciiName[i])
            return false;
    return true;
}

std::string_view CompactTree::bytes(Span span) const {
    if (isWide(span))
        return {};
    if ((span.offset & kJoined) != 0)
        return std::string_view(joined_).substr(span.offset & ~kJoined, span.size);
    return std::string_view(text_).substr(span.offset, span.size);
}

std::u16string CompactTree::wide(Span span) const {
    std::u16string out;
    decode(span, out);
    return out;
}

void CompactTree::decode(Span span, std::u16string& out) const {
    if (isWide(span)) {
        out = wide_[span.offset];
        return;
    }
    const std::string_view text = bytes(span);
    if (!ustring::isAscii(text)) {
        decodeUnits(text, out);
        return;
    }
    out.resize(text.size()); // ASCII, the bulk of a log: widened in place
    std::copy(text.begin(), text.end(), out.begin());
}

void CompactTree::appendToDocument(Document& document) const {
    for (const Attrib& attrib : attribs(root()))
        document.getAttribs().push_back({wide(attrib.name), wide(attrib.value)});
    std::vector<grammar::Node>& nodes = document.getNodes();
    nodes.reserve(nodes.size() + root().childCount);
    for (const Node& child : children(root())) {
        nodes.emplace_back();
        appendPublic(child, nodes.back());
    }
}

// Nodes nest no deeper than the clipper's depth limit, so the recursion is bounded.
void CompactTree::appendPublic(const Node& node, grammar::Node& out) const {
    out.name = wide(node.name);
    out.attribs.reserve(node.attribCount);
    for (const Attrib& attrib : attribs(node))
        out.attribs.push_back({wide(attrib.name), wide(attrib.value)});
    out.nodes.resize(node.childCount);
    for (Index i = 0; i < node.childCount; ++i)
        appendPublic(nodes_[node.firstChild + i], out.nodes[i]);
}

CompactTree CompactTree::ofNode(const grammar::Node& node) {
    CompactTree tree;
    tree.nodes_[kRoot].firstChild = tree.addNodes(1);
    tree.nodes_[kRoot].childCount = 1;
    // Each node's attributes and then its children are added when it is taken from the stack,
    // so that both stay contiguous; the stack keeps any depth off the call stack.
    std::vector<std::pair<const grammar::Node*, Index>> stack{
        {&node, tree.nodes_[kRoot].firstChild}};
    while (!stack.empty()) {
        const auto [from, at] = stack.back();
        stack.pop_back();
        tree.nodes_[at].name = tree.spanOf(from->name);
        for (const grammar::Attrib& attrib : from->attribs)
            tree.addAttrib(at, {tree.spanOf(attrib.name), tree.spanOf(attrib.value)});
        const Index first = tree.addNodes(from->nodes.size());
        tree.nodes_[at].firstChild = first;
        tree.nodes_[at].childCount = static_cast<Index>(from->nodes.size());
        for (std::size_t i = from->nodes.size(); i-- > 0;)
            stack.emplace_back(&from->nodes[i], first + static_cast<Index>(i));
    }
    return tree;
}

// A text goes to the bytes of the tree, one with a broken surrogate is kept as UTF-16, so that
// a span of the bytes always holds valid UTF-8, as one cut from a file does.
CompactTree::Span CompactTree::spanOf(const std::u16string& text) {
    if (hasBrokenSurrogate(text))
        return wideSpan(text);
    const std::size_t offset = text_.size();
    appendUnitsAsUtf8(text, text_);
    return textSpan(offset, text_.size() - offset);
}

CompactTree::Span CompactTree::textSpan(std::size_t offset, std::size_t size) const {
    return {static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(size)};
}

CompactTree::Span CompactTree::joinedSpan(std::string_view bytes) {
    const Span span{static_cast<std::uint32_t>(joined_.size()) | kJoined,
                    static_cast<std::uint32_t>(bytes.size())};
    joined_.append(bytes);
    return span;
}

CompactTree::Span CompactTree::wideSpan(std::u16string text) {
    wide_.push_back(std::move(text));
    return {static_cast<std::uint32_t>(wide_.size() - 1), kWide};
}

CompactTree::Index CompactTree::addNodes(std::size_t count) {
    const Index first = static_cast<Index>(nodes_.size());
    nodes_.resize(nodes_.size() + count);
    return first;
}

void CompactTree::reserve(std::size_t nodes, std::size_t attribs) {
    nodes_.reserve(nodes);
    attribs_.reserve(attribs);
    utilkit::adviseLargePages(nodes_.data(), nodes_.capacity() * sizeof(Node));
    utilkit::adviseLargePages(attribs_.data(), attribs_.capacity() * sizeof(Attrib));
}

} // namespace grammar
