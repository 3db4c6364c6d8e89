#include "dkp/raids.h"

#include "grammar/compact_tree.h"
#include "grammar/page_releaser.h"
#include "utilkit/ustring.h"

#include <algorithm>

namespace dkp {

Raids::Raids() = default;
Raids::Raids(grammar::Clipper* clipper) {
    loadFromClipper(clipper);
}
Raids::~Raids() = default;

bool Raids::loadFromClipper(grammar::Clipper* clipper) {
    return clipper != nullptr && loadFromDocument(clipper->getDocument());
}

bool Raids::loadFromDocument(const grammar::Document& document) {
    // Read in place: a copy of the whole raid log would double the memory of a large file.
    const grammar::Node* raidLog = document.findNode(kRaidLogVariable);
    if (raidLog == nullptr)
        return false;
    LogClock clock;
    raids_.reserve(raids_.size() + raidLog->nodes.size());
    for (const grammar::Node& table : raidLog->nodes)
        addRaid(table, clock);
    return true;
}

bool Raids::takeFromDocument(grammar::Document&& document) {
    std::vector<grammar::Node>& tables = document.getNodes();
    const auto raidLog = std::find_if(tables.begin(), tables.end(), [](const grammar::Node& node) {
        return node.name == kRaidLogVariable;
    });
    if (raidLog == tables.end()) {
        document.clear();
        return false;
    }
    LogClock clock;
    raids_.reserve(raids_.size() + raidLog->nodes.size());
    for (grammar::Node& table : raidLog->nodes) {
        addRaid(table, clock);
        table = grammar::Node();
    }
    document.clear();
    return true;
}

namespace {

using Tree = grammar::CompactTree;

// The first text position that a raid's table and everything in it reads, known when its
// first attribute and first child are non-empty ranges of the text (else 0). Attributes and
// children come in text order, so nothing of this raid or of a later one lies before it.
std::size_t firstTextOf(const Tree& tree, const Tree::Node& raid) {
    std::vector<Tree::Span> firsts;
    if (raid.attribCount > 0) {
        firsts.push_back(tree.attribs(raid).front().name);
        firsts.push_back(tree.attribs(raid).front().value);
    }
    if (raid.childCount > 0)
        firsts.push_back(tree.children(raid).front().name);
    std::size_t first = tree.text().size();
    for (const Tree::Span span : firsts) {
        if (span.size == 0 || !tree.isInText(span))
            return 0;
        first = std::min<std::size_t>(first, span.offset);
    }
    return first;
}

} // namespace

bool Raids::takeFromCompactTree(grammar::CompactTree&& tree) {
    const Tree::Node* raidLog = tree.findChild(tree.root(), ustring::toUtf8(kRaidLogVariable));
    if (raidLog == nullptr)
        return false;
    LogClock clock;
    grammar::PageReleaser text(tree.text().data());
    grammar::PageReleaser attribs(tree.attribArray().data());
    raids_.reserve(raids_.size() + raidLog->childCount);
    for (const Tree::Node& table : tree.children(*raidLog)) {
        text.releaseBefore(tree.text().data() + firstTextOf(tree, table));
        if (table.attribCount > 0)
            attribs.releaseBefore(tree.attribArray().data() + table.firstAttrib);
        auto raid = std::make_unique<Raid>();
        raid->loadFromCompactTree(tree, tree.indexOf(table), clock);
        raids_.push_back(std::move(raid));
    }
    return true;
}

void Raids::addRaid(const grammar::Node& table, LogClock& clock) {
    auto raid = std::make_unique<Raid>();
    raid->loadFromNode(&table, clock);
    raids_.push_back(std::move(raid));
}

std::vector<Raid*> Raids::getRaids() const {
    std::vector<Raid*> raids;
    raids.reserve(raids_.size());
    for (const auto& raid : raids_)
        raids.push_back(raid.get());
    return raids;
}

} // namespace dkp
