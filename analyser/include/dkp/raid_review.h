#pragma once

#include "dkp/raid.h"
#include "raidsift/export.h"

#include <string>
#include <vector>

namespace dkp {

enum class FindingLevel { Error, Warning, Info };

// One thing in a raid that deserves a look before it is uploaded.
struct RAIDSIFT_API ReviewFinding {
    FindingLevel level = FindingLevel::Info;
    std::string code;       // stable short id, e.g. "loot-to-stranger"
    std::u16string chinese; // text shown in the client
    std::string english;    // text printed by raidsift lint
};

// The raid's findings, errors first, then warnings, then notes; within a level in the order of
// the raid, then its kills, loot and members.
RAIDSIFT_API std::vector<ReviewFinding> reviewRaid(const Raid& raid);

struct RAIDSIFT_API ReviewCounts {
    int errors = 0;
    int warnings = 0;
    int infos = 0;
};
RAIDSIFT_API ReviewCounts countFindings(const std::vector<ReviewFinding>& findings);

// "error", "warning" or "note".
RAIDSIFT_API const char* findingLevelName(FindingLevel level);

} // namespace dkp
