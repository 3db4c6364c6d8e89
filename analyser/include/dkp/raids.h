#pragma once

#include "dkp/raid.h"
#include "grammar/clipper.h"
#include "grammar/node.h"
#include "raidsift/export.h"

#include <memory>
#include <string>
#include <vector>

namespace dkp {

// The name of the saved variable that holds the raid log.
inline constexpr const char16_t* kRaidLogVariable = u"CT_RaidTracker_RaidLog";

// The raids of one saved-variables document, one per table inside its raid log, in text
// order. Owns its raids; the pointers it hands out stay valid until it is destroyed.
class RAIDSIFT_API Raids {
public:
    Raids();
    // Loads the raids of a clipper that has loaded a text (see loadFromClipper).
    explicit Raids(grammar::Clipper* clipper);
    ~Raids();
    Raids(const Raids&) = delete;
    Raids& operator=(const Raids&) = delete;

    // Appends a raid for every table inside the document's raid log (the list is not
    // cleared). False, and nothing appended, when the document has no raid log. A clipper
    // whose document has not been asked for is read in its compact form, and its document
    // is not made.
    bool loadFromClipper(grammar::Clipper* clipper);
    bool loadFromDocument(const grammar::Document& document);
    // The same, taking the document apart as it goes: each raid's table is released once its
    // raid is analysed, so that a large log's tree and its raids are never both whole in
    // memory. The document is left empty.
    bool takeFromDocument(grammar::Document&& document);
    // The same for the library's compact tree: the raids equal those of the tree's public
    // form. The raids hold the tree until each has read its loot (see RaidLog), so listing
    // the raids of a large log decodes none of the loot's texts.
    bool takeFromCompactTree(grammar::CompactTree&& tree);

    std::vector<Raid*> getRaids() const;

private:
    bool addRaidsOf(const std::shared_ptr<const grammar::CompactTree>& tree);
    void addRaid(const grammar::Node& table, LogClock& clock);

    std::vector<std::unique_ptr<Raid>> raids_;
};

} // namespace dkp
