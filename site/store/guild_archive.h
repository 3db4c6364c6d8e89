#pragma once

#include "ledger/ledger_entry.h"
#include "store/database.h"

#include <stdexcept>
#include <string>

namespace dkpsite {

// A refused export or import, with the sentence that says why.
struct ArchiveError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The format and version an archive names; an import refuses any other.
inline constexpr const char* kArchiveFormat = "dkpsite guild";
inline constexpr int kArchiveVersion = 1;

// A whole guild as JSON: its DKP systems, members (with their password verifiers), characters,
// events, ledger and audit log, each in the order it was written and referring to the others by
// position, never by the database's ids. Importing it into another database and exporting it
// again gives the same bytes.
std::string exportGuild(Database& db, const std::string& site);

// Adds the guild of the archive; its members' accounts are made unless an account of that name
// exists. Refuses an archive of another format or version, or a guild the database already
// holds. Gives the guild's site name.
std::string importGuild(Database& db, const std::string& archive, const Origin& origin);

} // namespace dkpsite
