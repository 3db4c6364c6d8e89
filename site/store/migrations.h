#pragma once

#include "store/database.h"

namespace dkpsite {

// The schema version this program writes. Each migration brings a database one version up;
// they run in order, each in its own transaction. SQLite keeps the version in `user_version`,
// PostgreSQL in the table schema_version.
int currentSchemaVersion();

// What a migration may need beyond the database.
struct MigrationContext {
    int passwordIterations = 0; // rounds of the verifiers made for legacy password hashes
};

// Brings the database up to currentSchemaVersion(). A database written by the site before
// versions were kept (SQLite, version 0 with its tables) is adopted as it is: its users,
// guilds, sessions and events stay, and its events' points become ledger entries. Throws
// DatabaseError, naming both versions, for a database of a newer schema.
void migrate(Database& db, const MigrationContext& context);

// The version the database is at (0: empty or written before versions were kept).
int schemaVersion(Database::Connection& connection);

} // namespace dkpsite
