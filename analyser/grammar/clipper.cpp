#include "grammar/clipper.h"

#include "grammar/compact_tree.h"

namespace grammar {

Document& Clipper::getDocument() {
    makeDocument();
    return document_;
}

const Document& Clipper::getDocument() const {
    makeDocument();
    return document_;
}

void Clipper::setCompactTree(std::shared_ptr<const CompactTree> tree) {
    document_.clear();
    tree_ = std::move(tree);
}

void Clipper::makeDocument() const {
    if (!tree_)
        return;
    document_.clear();
    tree_->appendToDocument(document_);
    tree_.reset();
}

} // namespace grammar
