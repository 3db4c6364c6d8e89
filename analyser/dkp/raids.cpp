#include "dkp/raids.h"

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
    for (const grammar::Node& table : raidLog->nodes) {
        auto raid = std::make_unique<Raid>();
        raid->loadFromNode(&table, clock);
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
