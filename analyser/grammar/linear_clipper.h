#pragma once

#include "grammar/compact_tree.h"

#include <string>
#include <string_view>

namespace grammar {

// Builds exactly the tree that WOWLUAClipper's literal clipping steps build, every quirk
// included, in time linear in the text: braces are paired once, a block is stepped over
// instead of rescanned, and the text kept in front of each cut is extended or cut back
// instead of copied. Tables nested deeper than `maxDepth` give no nodes, as in the literal
// steps. The tree is built in compact form straight from a file's UTF-8 bytes (readied here
// with prepareSavedText): its public form equals the document of the decoded text, and the
// text is never held as UTF-16. `tree` must be new.
void clipSavedUtf8(std::string bytes, CompactTree& tree, int maxDepth);

// Receives a tree while it is built, in text order: the top-level assignments, then each table
// (before its children) followed by its own attributes. The attributes are not kept in the
// tree, so a reader that needs them once holds little more than the text.
class TreeListener {
public:
    virtual void attrib(const CompactTree& tree, const CompactTree::Attrib& attrib) = 0;
    virtual void table(const CompactTree& tree, CompactTree::Index node, int depth) = 0;

protected:
    ~TreeListener() = default;
};

// The same tree handed to `listener`.
void clipSavedUtf8(std::string bytes, TreeListener& listener, int maxDepth);

// The same for a UTF-16 text, read in the byte form of utf8_units.h, broken surrogates and all.
void clipSavedText(std::u16string text, CompactTree& tree, int maxDepth);

} // namespace grammar
