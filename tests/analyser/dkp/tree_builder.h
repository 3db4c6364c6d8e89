#pragma once

// Builds raid tables by hand, shaped as the clipper leaves them.
#include "grammar/node.h"

#include <string>
#include <utility>
#include <vector>

namespace treebuilder {

inline grammar::Node table(std::u16string name, std::vector<grammar::Attrib> attribs = {},
                           std::vector<grammar::Node> nodes = {}) {
    grammar::Node node;
    node.name = std::move(name);
    node.attribs = std::move(attribs);
    node.nodes = std::move(nodes);
    return node;
}

// An element of a list of tables (empty name).
inline grammar::Node entry(std::vector<grammar::Attrib> attribs,
                           std::vector<grammar::Node> nodes = {}) {
    return table(u"", std::move(attribs), std::move(nodes));
}

// A list of bare quoted items, as `"Alpha", -- [1]` lines become.
inline grammar::Node nameList(std::u16string name, const std::vector<std::u16string>& items) {
    grammar::Node node = table(std::move(name));
    for (const auto& item : items)
        node.attribs.push_back({item, u""});
    return node;
}

inline grammar::Node event(const std::u16string& player, const std::u16string& time) {
    return entry({{u"player", player}, {u"time", time}});
}

} // namespace treebuilder
