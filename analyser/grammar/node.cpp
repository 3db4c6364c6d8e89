#include "grammar/node.h"

#include <algorithm>

namespace grammar {
namespace {

bool copyFirstNamed(const std::vector<Node>& nodes, const std::u16string& name, Node& out) {
    const auto found = std::find_if(nodes.begin(), nodes.end(),
                                    [&](const Node& node) { return node.name == name; });
    if (found == nodes.end())
        return false;
    out = *found;
    return true;
}

std::u16string firstValueNamed(const std::vector<Attrib>& attribs, const std::u16string& name) {
    const auto found = std::find_if(attribs.begin(), attribs.end(),
                                    [&](const Attrib& attrib) { return attrib.name == name; });
    return found == attribs.end() ? std::u16string() : found->value;
}

} // namespace

bool Node::getNode(const std::u16string& name, Node& out) const {
    return copyFirstNamed(nodes, name, out);
}

std::u16string Node::getAttrib(const std::u16string& name) const {
    return firstValueNamed(attribs, name);
}

bool Node::empty() const { return attribs.empty() && nodes.empty(); }

bool Document::getNode(const std::u16string& name, Node& out) const {
    return copyFirstNamed(nodes_, name, out);
}

std::u16string Document::getAttrib(const std::u16string& name) const {
    return firstValueNamed(attribs_, name);
}

void Document::clear() {
    nodes_.clear();
    attribs_.clear();
}

} // namespace grammar
