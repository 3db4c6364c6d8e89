#pragma once

#include "grammar/node.h"
#include "raidsift/export.h"

#include <string>

namespace grammar {

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

    Document& getDocument() { return document_; }
    const Document& getDocument() const { return document_; }

protected:
    char16_t getHeadChar() const { return headChar_; }
    char16_t getTailChar() const { return tailChar_; }

private:
    Document document_;
    char16_t headChar_;
    char16_t tailChar_;
};

} // namespace grammar
