#pragma once

#include "grammar/compact_tree.h"
#include "grammar/node.h"

#include <string>

namespace grammar {

// Builds exactly the document that WOWLUAClipper's literal clipping steps build, every quirk
// included, in time linear in the text: braces are paired once, a block is stepped over
// instead of rescanned, and the text kept in front of each cut is extended or cut back
// instead of copied. Tables nested deeper than `maxDepth` give no nodes, as in the literal
// steps. `text` must already have gone through prepareSavedText.
void clipSavedText(std::u16string text, Document& document, int maxDepth);

// The same tree in compact form, straight from a file's UTF-8 bytes (readied here with
// prepareSavedText): its public form equals the document of the decoded text, and the text is
// never held as UTF-16. `tree` must be new.
void clipSavedUtf8(std::string bytes, CompactTree& tree, int maxDepth);

// The public form of that tree.
void clipSavedUtf8(std::string bytes, Document& document, int maxDepth);

} // namespace grammar
