#include "store/audit_log.h"

namespace dkpsite {

void recordAudit(soci::session& sql, const AuditRecord& record) {
    const long long atMs = record.origin.atMs;
    const long long guild = record.guild.value_or(0);
    soci::indicator guildPresent = record.guild ? soci::i_ok : soci::i_null;
    const std::string source(entrySourceName(record.origin.source));
    sql << "INSERT INTO audit_log(at_ms, actor, source, address, guild, action, subject, "
           "before_value, after_value) VALUES(:at, :actor, :source, :address, :guild, :action, "
           ":subject, :before, :after)",
        soci::use(atMs, "at"), soci::use(record.origin.who, "actor"), soci::use(source, "source"),
        soci::use(record.origin.address, "address"), soci::use(guild, guildPresent, "guild"),
        soci::use(record.action, "action"), soci::use(record.subject, "subject"),
        soci::use(record.before, "before"), soci::use(record.after, "after");
}

std::vector<AuditRecord> guildAudit(soci::session& sql, long long guildRowId) {
    std::vector<AuditRecord> records;
    AuditRecord row;
    long long atMs = 0;
    std::string source;
    soci::statement query =
        (sql.prepare << "SELECT at_ms, actor, source, address, action, subject, before_value, "
                        "after_value FROM audit_log WHERE guild = :guild ORDER BY id",
         soci::use(guildRowId, "guild"), soci::into(atMs), soci::into(row.origin.who),
         soci::into(source), soci::into(row.origin.address), soci::into(row.action),
         soci::into(row.subject), soci::into(row.before), soci::into(row.after));
    query.execute();
    while (query.fetch()) {
        row.origin.atMs = atMs;
        row.origin.source = entrySourceFromName(source).value_or(EntrySource::CommandLine);
        row.guild = guildRowId;
        records.push_back(row);
    }
    return records;
}

} // namespace dkpsite
