#pragma once

#include "grammar/node.h"
#include "utilkit/ustring.h"

#include <string>

// A document as indented text, one node or attribute a line, every name and value quoted, so
// that a failing comparison shows exactly where two trees part.
namespace tree_text {

inline std::string quoted(const std::u16string& text) {
    return "\"" + ustring::toUtf8(text) + "\"";
}

inline void appendNode(std::string& out, const grammar::Node& node, int depth) {
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    out += indent + "node " + quoted(node.name) + "\n";
    for (const grammar::Attrib& attrib : node.attribs)
        out += indent + "  " + quoted(attrib.name) + " = " + quoted(attrib.value) + "\n";
    for (const grammar::Node& child : node.nodes)
        appendNode(out, child, depth + 1);
}

inline std::string of(const grammar::Document& document) {
    std::string out;
    for (const grammar::Attrib& attrib : document.getAttribs())
        out += quoted(attrib.name) + " = " + quoted(attrib.value) + "\n";
    for (const grammar::Node& node : document.getNodes())
        appendNode(out, node, 0);
    return out;
}

} // namespace tree_text
