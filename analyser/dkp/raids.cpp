#include "dkp/raids.h"

#include "grammar/compact_tree.h"
#include "utilkit/ustring.h"

#include <algorithm>

namespace dkp {

Raids::Raids() = default;
Raids::Raids(grammar::Clipper* clipper) {
    loadFromClipper(clipper);
}
Raids::~Raids() = default;

bool Raids::loadFromClipper(grammar::Clipper* clipper) {
    if (clipper == nullptr)
        return false;
    if (clipper->getCompactTree())
        return addRaidsOf(clipper->getCompactTree());
    return loadFromDocument(clipper->getDocument());
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

bool Raids::takeFromCompactTree(grammar::CompactTree&& tree) {
    return addRaidsOf(std::make_shared<const grammar::CompactTree>(std::move(tree)));
}

bool Raids::addRaidsOf(const std::shared_ptr<const grammar::CompactTree>& shared) {
    const grammar::CompactTree::Node* raidLog =
        shared->findChild(shared->root(), ustring::toUtf8(kRaidLogVariable));
    if (raidLog == nullptr)
        return false;
    const grammar::CompactTree::Node& tables = *raidLog;
    LogClock clock;
    raids_.reserve(raids_.size() + tables.childCount);
    for (const grammar::CompactTree::Node& table : shared->children(tables)) {
        auto raid = std::make_unique<Raid>();
        raid->loadFromCompactTree(shared, shared->indexOf(table), clock);
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
