#pragma once

#include "grammar/node.h"
#include "raidsift/export.h"

#include <string>

namespace grammar {

// Receives the tree of a saved-variables text in text order: the top-level assignments first,
// then each top-level table as enterNode with its name, its attributes, its own tables in the
// same way, and leaveNode.
class RAIDSIFT_API TreeWalker {
public:
    virtual ~TreeWalker() = default;
    virtual void attrib(const std::u16string& name, const std::u16string& value) = 0;
    virtual void enterNode(const std::u16string& name) = 0;
    virtual void leaveNode() = 0;
};

// Walks the document that WOWLUAClipper::loadUtf8String builds from `bytes`, as it is built:
// neither a Document nor the attributes are held, so a large file is walked in little more
// memory than its bytes.
RAIDSIFT_API void walkUtf8Tree(std::string bytes, TreeWalker& walker);

// Walks a document.
RAIDSIFT_API void walkDocument(const Document& document, TreeWalker& walker);

} // namespace grammar
