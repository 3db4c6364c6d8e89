#pragma once

#include "grammar/clipper.h"
#include "grammar/partnership.h"
#include "raidsift/export.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace grammar {

// Clips the saved-variables text that World of Warcraft writes, with `{` and `}` as block
// characters. It does not tokenise Lua: braces, commas, `=`, quotes and `--` count wherever
// they stand, strings included, and the tree follows the layout the game writes.
class RAIDSIFT_API WOWLUAClipper : public Clipper {
public:
    // Tables nested deeper than this give no nodes: a node at this depth (top-level tables are
    // at depth 1) keeps its attributes but gets no children. Real files nest about 6 deep.
    static constexpr int kMaxNodeDepth = 200;
    // Positions in the text are 32-bit, so a longer text would lose everything past 2 GiB:
    // readers refuse larger files (see dkp::readSavedFile). A UTF-8 byte count bounds the
    // UTF-16 length, so the limit holds for the bytes of a file as well as for its text.
    static constexpr std::int64_t kMaxTextSize = std::numeric_limits<std::int32_t>::max();

    WOWLUAClipper();

    // Replaces the document by the tree of `text`. A leading byte-order mark is dropped and
    // carriage returns before line feeds are ignored.
    void loadString(std::u16string text) override;

    // Builds the same document as `loadString` by following the clipping steps literally:
    // every cut copies the rest of the text and every level rescans its blocks, so the time
    // grows with the square of the text. Kept as the reference that `loadString` is checked
    // against.
    void loadReferenceString(std::u16string text);

    // Replaces the document by the tree of a file's UTF-8 bytes: the same document as
    // `loadString(toWideString(bytes, 65001))`, without holding the text as UTF-16 as well.
    virtual void loadUtf8String(std::string bytes);

    // Cuts the first block out of `source`: `name` is its key, `content` what stands between
    // its braces, `rest` the source without the key line and the block. False when `source`
    // holds no opening brace (`rest` = `source`) or the first block is unbalanced (`rest`
    // empty).
    bool clipString(const std::u16string& source, std::u16string& name, std::u16string& content,
                    std::u16string& rest) override;

private:
    void removeNotes(std::u16string& text) const;
    void removeCommaAfterBrace(std::u16string& text) const;
    void removeNodes(std::u16string& text);
    std::u16string removeBracketQuote(const std::u16string& text) const;
    Partnership makeNodePartnership(const std::u16string& source, std::int32_t from) const;
    bool clipAttribFromNodeContent(const std::u16string& content, Node& node);
    void clipAttribFromDocumentContent(const std::u16string& text, std::vector<Attrib>& attribs);
    void clipNodeFromNodeContent(std::u16string text, std::vector<Node>& nodes, int depth);
};

// A WOWLUAClipper whose `loadString` follows the literal clipping steps
// (`loadReferenceString`): the oracle against which the fast parser is checked.
class RAIDSIFT_API ReferenceWOWLUAClipper final : public WOWLUAClipper {
public:
    void loadString(std::u16string text) override { loadReferenceString(std::move(text)); }
    void loadUtf8String(std::string bytes) override;
};

} // namespace grammar
