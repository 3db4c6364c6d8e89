#pragma once

#include "ledger/ledger_entry.h"

#include <optional>
#include <soci/soci.h>
#include <string>
#include <vector>

namespace dkpsite {

// One write as the audit log keeps it: who made it, when, from where, on what, and the value
// before and after ("" where there was none).
struct AuditRecord {
    Origin origin;
    std::optional<long long> guild;
    std::string action, subject, before, after;
};

// Appends the record, in the transaction of the write it describes.
void recordAudit(soci::session& sql, const AuditRecord& record);
// The guild's records, oldest first.
std::vector<AuditRecord> guildAudit(soci::session& sql, long long guildRowId);

} // namespace dkpsite
