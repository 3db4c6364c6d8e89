#pragma once

#include "grammar/node.h"
#include "raidsift/export.h"

#include <memory>
#include <string>

namespace grammar {

class CompactTree;

// Turns a text into a `Document` by cutting out blocks delimited by two block characters.
class RAIDSIFT_API Clipper {
public:
    Clipper(char16_t headChar, char16_t tailChar) : headChar_(headChar), tailChar_(tailChar) {}
    Clipper(const Clipper&) = default;
    Clipper& operator=(const Clipper&) = default;
    // Virtual, so that a clipper can be deleted through this base.
    virtual ~Clipper() = default;

    // Replaces the document by the tree of `text`.
    virtual void loadString(std::u16string text) = 0;
    // Cuts the first block out of `source`; see the implementations for the exact rules.
    virtual bool clipString(const std::u16string& source, std::u16string& name,
                            std::u16string& content, std::u16string& rest) = 0;

    // The tree of the last text loaded. A clipper that keeps that tree in the library's
    // compact form makes this document from it when it is first asked for; from then on the
    // document is the clipper's tree, changes included.
    Document& getDocument();
    const Document& getDocument() const;

    // The compact tree of the last text loaded while its document has not been asked for, or
    // null. Readable inside the library only; the raid list reads it without a document.
    const std::shared_ptr<const CompactTree>& getCompactTree() const { return tree_; }

protected:
    char16_t getHeadChar() const { return headChar_; }
    char16_t getTailChar() const { return tailChar_; }
    // Replaces the document by the public form of `tree` (empty for null).
    void setCompactTree(std::shared_ptr<const CompactTree> tree);

private:
    void makeDocument() const;

    mutable Document document_;
    mutable std::shared_ptr<const CompactTree> tree_;
    char16_t headChar_;
    char16_t tailChar_;
};

} // namespace grammar
