#pragma once

#include "export.h"
#include "grammar/clipper.h"
#include "grammar/partnership.h"

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

    WOWLUAClipper();

    // Replaces the document by the tree of `text`. A leading byte-order mark is dropped and
    // carriage returns before line feeds are ignored.
    void loadString(std::u16string text) override;

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

} // namespace grammar
