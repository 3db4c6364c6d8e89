#include "dkp/raids.h"

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
    // The first top-level table of that name, as getNode finds it, read in place: a copy of
    // the whole raid log would double the memory of a large file.
    const std::vector<grammar::Node>& nodes = document.getNodes();
    const auto raidLog = std::find_if(nodes.begin(), nodes.end(), [](const grammar::Node& node) {
        return node.name == kRaidLogVariable;
    });
    if (raidLog == nodes.end())
        return false;
    for (const grammar::Node& table : raidLog->nodes) {
        auto raid = std::make_unique<Raid>();
        raid->loadFromNode(&table);
        raids_.push_back(std::move(raid));
    }
    return true;
}

std::vector<Raid*> Raids::getRaids() const {
    std::vector<Raid*> raids;
    raids.reserve(raids_.size());
    for (const auto& raid : raids_)
        raids.push_back(raid.get());
    return raids;
}

} // namespace dkp
