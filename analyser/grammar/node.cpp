#include "grammar/node.h"

#include <algorithm>
#include <utility>

namespace grammar {
namespace {

const Node* firstNamed(const std::vector<Node>& nodes, const std::u16string& name) {
    const auto found = std::find_if(nodes.begin(), nodes.end(),
                                    [&](const Node& node) { return node.name == name; });
    return found == nodes.end() ? nullptr : &*found;
}

bool copyFirstNamed(const std::vector<Node>& nodes, const std::u16string& name, Node& out) {
    const Node* found = firstNamed(nodes, name);
    if (found == nullptr)
        return false;
    out = *found; // `out` may hold the tree that `found` points into; see operator=
    return true;
}

const std::u16string* firstValueNamed(const std::vector<Attrib>& attribs,
                                      const std::u16string& name) {
    const auto found = std::find_if(attribs.begin(), attribs.end(),
                                    [&](const Attrib& attrib) { return attrib.name == name; });
    return found == attribs.end() ? nullptr : &found->value;
}

std::u16string copyOfValueNamed(const std::vector<Attrib>& attribs, const std::u16string& name) {
    const std::u16string* value = firstValueNamed(attribs, name);
    return value == nullptr ? std::u16string() : *value;
}

} // namespace

Node& Node::operator=(const Node& other) {
    Node copy(other);
    return *this = std::move(copy);
}

Node::~Node() {
    // Children with children of their own are moved out here and taken apart in turn; the
    // rest (moved-from or leaves) go with their vectors without recursing further.
    std::vector<Node> pending;
    auto takeBranches = [&pending](std::vector<Node>& children) {
        for (Node& child : children)
            if (!child.nodes.empty())
                pending.push_back(std::move(child));
    };
    takeBranches(nodes);
    while (!pending.empty()) {
        Node branch = std::move(pending.back());
        pending.pop_back();
        takeBranches(branch.nodes);
    }
}

bool Node::getNode(const std::u16string& name, Node& out) const {
    return copyFirstNamed(nodes, name, out);
}

const Node* Node::findNode(const std::u16string& name) const {
    return firstNamed(nodes, name);
}

std::u16string Node::getAttrib(const std::u16string& name) const {
    return copyOfValueNamed(attribs, name);
}

const std::u16string* Node::findAttrib(const std::u16string& name) const {
    return firstValueNamed(attribs, name);
}

bool Node::empty() const {
    return attribs.empty() && nodes.empty();
}

bool Document::getNode(const std::u16string& name, Node& out) const {
    return copyFirstNamed(nodes_, name, out);
}

const Node* Document::findNode(const std::u16string& name) const {
    return firstNamed(nodes_, name);
}

std::u16string Document::getAttrib(const std::u16string& name) const {
    return copyOfValueNamed(attribs_, name);
}

void Document::clear() {
    nodes_.clear();
    attribs_.clear();
}

} // namespace grammar
