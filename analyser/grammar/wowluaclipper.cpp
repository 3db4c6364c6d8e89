// The clipping steps below are deliberately literal: every copy, rescan and quirk is part of
// the tree they define, and the fast parser is checked against them.
#include "grammar/wowluaclipper.h"

#include "grammar/compact_tree.h"
#include "grammar/linear_clipper.h"
#include "grammar/saved_text.h"
#include "utilkit/ustring.h"

namespace grammar {
namespace {

constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kQuote = u'"';

std::int32_t length(const std::u16string& text) {
    return static_cast<std::int32_t>(text.size());
}

// Position of the first `c` at or after `from`, or -1.
std::int32_t indexOf(const std::u16string& text, char16_t c, std::int32_t from) {
    if (from < 0)
        return -1;
    const std::size_t found = text.find(c, static_cast<std::size_t>(from));
    return found == std::u16string::npos ? -1 : static_cast<std::int32_t>(found);
}

std::int32_t indexOf(const std::u16string& text, const char16_t* what, std::int32_t from) {
    if (from < 0)
        return -1;
    const std::size_t found = text.find(what, static_cast<std::size_t>(from));
    return found == std::u16string::npos ? -1 : static_cast<std::int32_t>(found);
}

std::int32_t lastIndexOf(const std::u16string& text, char16_t c) {
    const std::size_t found = text.rfind(c);
    return found == std::u16string::npos ? -1 : static_cast<std::int32_t>(found);
}

std::u16string slice(const std::u16string& text, std::int32_t from, std::int32_t to) {
    return text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
}

std::u16string trimmed(std::u16string text) {
    ustring::trimExt(text);
    return text;
}

} // namespace

// Emitted here so that Raidsift.dll exports the limits to programs that take their address.
constexpr int WOWLUAClipper::kMaxNodeDepth;
constexpr std::int64_t WOWLUAClipper::kMaxTextSize;

WOWLUAClipper::WOWLUAClipper() : Clipper(u'{', u'}') {}

void WOWLUAClipper::loadString(std::u16string text) {
    auto tree = std::make_shared<CompactTree>();
    clipSavedText(std::move(text), *tree, kMaxNodeDepth);
    setCompactTree(std::move(tree));
}

void WOWLUAClipper::loadUtf8String(std::string bytes) {
    auto tree = std::make_shared<CompactTree>();
    clipSavedUtf8(std::move(bytes), *tree, kMaxNodeDepth);
    setCompactTree(std::move(tree));
}

void ReferenceWOWLUAClipper::loadUtf8String(std::string bytes) {
    loadReferenceString(ustring::toWideString(bytes, ustring::kUtf8CodePage));
}

void WOWLUAClipper::loadReferenceString(std::u16string text) {
    setCompactTree(nullptr);
    prepareSavedText(text);
    removeNotes(text);
    removeCommaAfterBrace(text);
    std::u16string outside = text;
    removeNodes(outside);
    clipAttribFromDocumentContent(outside, getDocument().getAttribs());
    clipNodeFromNodeContent(std::move(text), getDocument().getNodes(), 1);
}

// A `--` starts a comment that is blanked through the line feed that ends it (or to the end
// of the text), wherever it stands.
void WOWLUAClipper::removeNotes(std::u16string& text) const {
    auto lineEndFrom = [&](std::int32_t p) {
        if (p < 0)
            return std::int32_t{-1};
        const std::int32_t q = indexOf(text, kLineFeed, p);
        return q >= 0 ? q : length(text) - 1;
    };
    std::int32_t p = indexOf(text, u"--", 0);
    std::int32_t q = lineEndFrom(p);
    while (p >= 0 && q >= 0) {
        for (std::int32_t i = p; i <= q; ++i)
            text[static_cast<std::size_t>(i)] = u' ';
        p = indexOf(text, u"--", q);
        q = lineEndFrom(p);
    }
}

void WOWLUAClipper::removeCommaAfterBrace(std::u16string& text) const {
    for (std::size_t i = 1; i < text.size(); ++i)
        if (text[i] == u',' && text[i - 1] == u'}')
            text[i] = u' ';
}

std::u16string WOWLUAClipper::removeBracketQuote(const std::u16string& text) const {
    const std::int32_t first = indexOf(text, kQuote, 0);
    if (first < 0)
        return text;
    const std::int32_t last = lastIndexOf(text, kQuote);
    if (last == first)
        return slice(text, first + 1, length(text));
    return slice(text, first + 1, last);
}

Partnership WOWLUAClipper::makeNodePartnership(const std::u16string& source,
                                               std::int32_t from) const {
    Partnership partnership;
    partnership.head = indexOf(source, getHeadChar(), from);
    if (partnership.head < 0)
        return partnership;
    int depth = 1;
    for (std::int32_t i = partnership.head + 1; i < length(source); ++i) {
        const char16_t c = source[static_cast<std::size_t>(i)];
        if (c == getHeadChar()) {
            ++depth;
        } else if (c == getTailChar() && --depth == 0) {
            partnership.tail = i;
            return partnership;
        }
    }
    return partnership;
}

bool WOWLUAClipper::clipString(const std::u16string& source, std::u16string& name,
                               std::u16string& content, std::u16string& rest) {
    rest.clear();
    const std::int32_t h = indexOf(source, getHeadChar(), 0);
    if (h < 0) {
        rest = source;
        return false;
    }
    const std::u16string prefix = slice(source, 0, h);
    std::int32_t nl = lastIndexOf(prefix, kLineFeed);
    if (nl < 0)
        nl = 0;
    const std::int32_t e = indexOf(prefix, u'=', nl);
    name = (e >= 0 && e > nl) ? slice(prefix, nl, e) : prefix;
    name = removeBracketQuote(trimmed(name));

    const Partnership block = makeNodePartnership(source, h);
    if (block.head >= 0 && block.tail < 0)
        return false;
    content = slice(source, block.head + 1, block.tail);
    if (block.tail + 1 < length(source))
        rest = slice(source, 0, nl) + slice(source, block.tail + 1, length(source));
    return true;
}

void WOWLUAClipper::removeNodes(std::u16string& text) {
    std::u16string name, content, rest;
    while (clipString(text, name, content, rest))
        text = rest;
}

void WOWLUAClipper::clipAttribFromDocumentContent(const std::u16string& text,
                                                  std::vector<Attrib>& attribs) {
    std::vector<std::u16string> lines;
    ustring::Analyze(text, kLineFeed, lines);
    for (const std::u16string& line : lines) {
        std::vector<std::u16string> pieces;
        ustring::Analyze(line, u'=', pieces);
        if (pieces.size() < 2)
            continue;
        attribs.push_back(
            {removeBracketQuote(trimmed(pieces[0])), removeBracketQuote(trimmed(pieces[1]))});
    }
}

void WOWLUAClipper::clipNodeFromNodeContent(std::u16string text, std::vector<Node>& nodes,
                                            int depth) {
    std::u16string name, content, rest;
    while (clipString(text, name, content, rest)) {
        Node node;
        node.name = removeBracketQuote(trimmed(name));
        clipAttribFromNodeContent(content, node);
        if (depth < kMaxNodeDepth)
            clipNodeFromNodeContent(content, node.nodes, depth + 1);
        nodes.push_back(std::move(node));
        text = rest;
    }
}

bool WOWLUAClipper::clipAttribFromNodeContent(const std::u16string& content, Node& node) {
    std::u16string w = content;
    std::u16string name, inner, rest;
    while (clipString(w, name, inner, rest))
        w = rest;

    std::int32_t s = 0;
    for (std::int32_t i = 0; i < length(rest); ++i) {
        if (rest[static_cast<std::size_t>(i)] != u',')
            continue;
        const std::u16string piece = slice(rest, s, i);
        s = i + 1;
        std::u16string key, value;
        const std::int32_t eq = indexOf(piece, u'=', 0);
        if (eq >= 0) {
            key = removeBracketQuote(slice(piece, 0, eq));
            value = removeBracketQuote(slice(piece, eq + 1, length(piece)));
        } else {
            key = removeBracketQuote(piece);
            const std::int32_t count = length(piece) - length(key) - 1;
            value = removeBracketQuote(count < 0 ? piece : slice(piece, 0, count));
        }
        node.attribs.push_back({trimmed(std::move(key)), trimmed(std::move(value))});
    }
    return !node.attribs.empty();
}

} // namespace grammar
