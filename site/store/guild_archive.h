#pragma once

#include "ledger/ledger_entry.h"
#include "records/refusal.h"
#include "store/database.h"

#include <string>

namespace dkpsite {

// A refused export or import, with the reason (records/refusal.h).
struct ArchiveError : Refused {
    using Refused::Refused;
};

// The format and version an archive names; an import refuses any other format, and versions
// after this one. Version 2 added whether each DKP system is archived and each character
// active; a version 1 archive imports with every system open and every character active.
inline constexpr const char* kArchiveFormat = "dkpsite guild";
inline constexpr int kArchiveVersion = 2;

// A whole guild as JSON: its DKP systems, members (with their password verifiers), characters,
// events, ledger and audit log, each in the order it was written and referring to the others by
// position, never by the database's ids. Importing it into another database and exporting it
// again gives the same bytes.
std::string exportGuild(Database& db, const std::string& site);

// Adds the guild of the archive; its members' accounts are made unless an account of that name
// exists. Refuses an archive of another format or version, or a guild the database already
// holds. Gives the guild's site name.
std::string importGuild(Database& db, const std::string& archive, const Origin& origin);

// Fills the existing guild with the archive's DKP systems, characters, events, ledger and audit
// log, keeping the guild's own name, site and settings; its first DKP systems take the
// archive's first ones. Only a guild without events, characters or ledger entries takes one:
// any other is refused (ArchiveError), as is an archive the import above refuses. Accounts the
// archive names are made when missing and join the guild; accounts that already exist are not
// joined (an admin of one guild cannot enlist another guild's users), but may still be named
// as the uploaders of its events. One transaction, with one audit record in the guild's log.
void importIntoGuild(Database& db, long long guildRowId, const std::string& archive,
                     const Origin& origin);

} // namespace dkpsite
