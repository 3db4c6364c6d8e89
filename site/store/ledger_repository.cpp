#include "store/ledger_repository.h"

#include "ledger/points_rules.h"
#include "store/row_batch.h"

#include <algorithm>
#include <map>

namespace dkpsite {

namespace {

using soci::into;
using soci::use;

long long insertEntry(soci::session& sql, long long character, const LedgerEntry& entry) {
    const long long system = entry.dkpSystem, earned = entry.earned, spent = entry.spent,
                    atMs = entry.origin.atMs;
    const std::string kind(entryKindName(entry.kind));
    const std::string source(entrySourceName(entry.origin.source));
    soci::indicator eventPresent = entry.event ? soci::i_ok : soci::i_null;
    soci::indicator reversesPresent = entry.reverses ? soci::i_ok : soci::i_null;
    const long long event = entry.event, reverses = entry.reverses;
    long long id = 0;
    sql << "INSERT INTO ledger_entries(dkp_system, character_id, kind, earned, spent, event, "
           "reverses, reason, actor, source, address, at_ms) VALUES(:system, :character, :kind, "
           ":earned, :spent, :event, :reverses, :reason, :actor, :source, :address, :at) "
           "RETURNING id",
        use(system, "system"), use(character, "character"), use(kind, "kind"),
        use(earned, "earned"), use(spent, "spent"), use(event, eventPresent, "event"),
        use(reverses, reversesPresent, "reverses"), use(entry.reason, "reason"),
        use(entry.origin.who, "actor"), use(source, "source"), use(entry.origin.address, "address"),
        use(atMs, "at"), into(id);
    return id;
}

const char* kEntryColumns = "e.id, e.dkp_system, c.name, e.kind, e.earned, e.spent, "
                            "COALESCE(e.event, 0), COALESCE(e.reverses, 0), e.reason, e.actor, "
                            "e.source, e.address, e.at_ms FROM ledger_entries e "
                            "JOIN characters c ON c.id = e.character_id ";

std::vector<LedgerEntry> readEntries(soci::session& sql, const std::string& where, long long key) {
    std::vector<LedgerEntry> entries;
    long long id = 0, system = 0, earned = 0, spent = 0, event = 0, reverses = 0, atMs = 0;
    std::string character, kind, reason, actor, source, address;
    soci::statement query =
        (sql.prepare << std::string("SELECT ") + kEntryColumns + where + " ORDER BY e.id",
         use(key, "key"), into(id), into(system), into(character), into(kind), into(earned),
         into(spent), into(event), into(reverses), into(reason), into(actor), into(source),
         into(address), into(atMs));
    query.execute();
    while (query.fetch()) {
        LedgerEntry entry;
        entry.id = id;
        entry.dkpSystem = system;
        entry.character = character;
        entry.kind = entryKindFromName(kind).value_or(EntryKind::Adjustment);
        entry.earned = earned;
        entry.spent = spent;
        entry.event = event;
        entry.reverses = reverses;
        entry.reason = reason;
        entry.origin = {actor, entrySourceFromName(source).value_or(EntrySource::CommandLine),
                        address, atMs};
        entries.push_back(std::move(entry));
    }
    return entries;
}

void sortByName(std::vector<Standing>& standings) {
    std::sort(standings.begin(), standings.end(),
              [](const Standing& a, const Standing& b) { return a.name < b.name; });
}

// What a raid's writes need of a guild's characters, read in one statement for the raid's many
// names; a name the guild does not know yet becomes its character.
class GuildCharacters {
public:
    struct Known {
        long long id = 0;
        std::string playerClass;
        long long level = 0;
    };

    GuildCharacters(soci::session& sql, long long guildRowId) : sql_(sql), guild_(guildRowId) {
        Known row;
        std::string name;
        soci::statement query =
            (sql.prepare << "SELECT id, name, player_class, level FROM characters "
                            "WHERE guild = :guild",
             use(guild_, "guild"), into(row.id), into(name), into(row.playerClass),
             into(row.level));
        query.execute();
        while (query.fetch())
            known_[name] = row;
    }

    Known& operator[](const std::string& name) {
        const auto found = known_.find(name);
        if (found != known_.end())
            return found->second;
        Known made;
        sql_ << "INSERT INTO characters(guild, name) VALUES(:guild, :name) RETURNING id",
            use(guild_, "guild"), use(name, "name"), into(made.id);
        return known_[name] = made;
    }

private:
    soci::session& sql_;
    long long guild_;
    std::map<std::string, Known> known_;
};

void addEntryRow(RowBatch& rows, long long character, const LedgerEntry& entry) {
    rows << entry.dkpSystem << character << std::string(entryKindName(entry.kind)) << entry.earned
         << entry.spent << (entry.event ? std::optional<long long>(entry.event) : std::nullopt)
         << (entry.reverses ? std::optional<long long>(entry.reverses) : std::nullopt)
         << entry.reason << entry.origin.who << std::string(entrySourceName(entry.origin.source))
         << entry.origin.address << entry.origin.atMs;
}

} // namespace

void addToStanding(soci::session& sql, long long dkpSystem, long long character, long long earned,
                   long long spent) {
    sql << "INSERT INTO standings(dkp_system, character_id, earned, spent) "
           "VALUES(:system, :character, :earned, :spent) "
           "ON CONFLICT(dkp_system, character_id) DO UPDATE SET "
           "earned = standings.earned + excluded.earned, spent = standings.spent + excluded.spent",
        use(dkpSystem, "system"), use(character, "character"), use(earned, "earned"),
        use(spent, "spent");
}

long long characterId(soci::session& sql, long long guildRowId, const std::string& name) {
    long long id = 0;
    sql << "SELECT id FROM characters WHERE guild = :guild AND name = :name",
        use(guildRowId, "guild"), use(name, "name"), into(id);
    if (sql.got_data())
        return id;
    sql << "INSERT INTO characters(guild, name) VALUES(:guild, :name) RETURNING id",
        use(guildRowId, "guild"), use(name, "name"), into(id);
    return id;
}

void recordRaidCharacters(soci::session& sql, long long guildRowId, const RaidDocument& raid) {
    GuildCharacters characters(sql, guildRowId);
    for (const RaidMember& member : raid.members) {
        if (member.name.empty())
            continue;
        GuildCharacters::Known& known = characters[member.name];
        const long long level = member.level;
        if (known.playerClass == member.playerClass && known.level == level)
            continue;
        sql << "UPDATE characters SET player_class = :class, level = :level WHERE id = :id",
            use(member.playerClass, "class"), use(level, "level"), use(known.id, "id");
        known.playerClass = member.playerClass;
        known.level = level;
    }
}

std::optional<Refusal> linkAlt(soci::session& sql, long long guildRowId, const std::string& alt,
                               const std::string& main) {
    if (alt == main)
        return Refusal(RefusalKind::OwnMain);
    const long long altId = characterId(sql, guildRowId, alt);
    const long long mainId = characterId(sql, guildRowId, main);
    long long count = 0;
    sql << "SELECT COUNT(*) FROM characters WHERE id = :main AND main IS NOT NULL",
        use(mainId, "main"), into(count);
    if (count > 0)
        return Refusal(RefusalKind::MainIsAlt, {main});
    sql << "SELECT COUNT(*) FROM characters WHERE main = :alt", use(altId, "alt"), into(count);
    if (count > 0)
        return Refusal(RefusalKind::AltHasAlts, {alt});
    sql << "UPDATE characters SET main = :main WHERE id = :alt", use(mainId, "main"),
        use(altId, "alt");
    return std::nullopt;
}

long long appendEntry(soci::session& sql, long long guildRowId, const LedgerEntry& entry) {
    const long long character = characterId(sql, guildRowId, entry.character);
    const long long id = insertEntry(sql, character, entry);
    addToStanding(sql, entry.dkpSystem, character, entry.earned, entry.spent);
    return id;
}

void enterRaid(soci::session& sql, long long guildRowId, long long dkpSystem, long long event,
               const RaidDocument& raid, const Origin& origin) {
    GuildCharacters characters(sql, guildRowId);
    // Each character's standing is written once, with the sum of its entries.
    std::map<long long, Standing> sums;
    for (const RaidMember& member : raid.members)
        if (!member.name.empty())
            sums[characters[member.name].id].name = member.name;
    RowBatch entries("ledger_entries",
                     "dkp_system, character_id, kind, earned, spent, event, reverses, reason, "
                     "actor, source, address, at_ms",
                     12);
    for (const LedgerEntry& entry : raidEntries(raid, dkpSystem, event, origin)) {
        const long long character = characters[entry.character].id;
        addEntryRow(entries, character, entry);
        sums[character] = addEntry(sums[character], entry);
    }
    entries.insert(sql);
    RowBatch standings("standings", "dkp_system, character_id, earned, spent", 4,
                       " ON CONFLICT(dkp_system, character_id) DO UPDATE SET "
                       "earned = standings.earned + excluded.earned, "
                       "spent = standings.spent + excluded.spent");
    for (const auto& [character, sum] : sums)
        standings << dkpSystem << character << sum.earned << sum.spent;
    standings.insert(sql);
}

std::vector<LedgerEntry> ledgerEntries(soci::session& sql, long long dkpSystem) {
    return readEntries(sql, "WHERE e.dkp_system = :key", dkpSystem);
}

std::vector<LedgerEntry> eventEntries(soci::session& sql, long long event) {
    return readEntries(sql, "WHERE e.event = :key", event);
}

std::optional<LedgerEntry> ledgerEntry(soci::session& sql, long long entryId) {
    auto entries = readEntries(sql, "WHERE e.id = :key", entryId);
    if (entries.empty())
        return std::nullopt;
    return entries.front();
}

bool isReversed(soci::session& sql, long long entryId) {
    long long count = 0;
    sql << "SELECT COUNT(*) FROM ledger_entries WHERE reverses = :id", use(entryId, "id"),
        into(count);
    return count > 0;
}

namespace {

// The standings a query gives as rows of name, class, earned and spent, sorted by name.
std::vector<Standing> standingsOf(soci::session& sql, const char* query, long long dkpSystem) {
    std::vector<Standing> standings;
    Standing row;
    long long earned = 0, spent = 0;
    soci::statement rows = (sql.prepare << query, use(dkpSystem, "system"), into(row.name),
                            into(row.playerClass), into(earned), into(spent));
    rows.execute();
    while (rows.fetch()) {
        row.earned = earned;
        row.spent = spent;
        standings.push_back(row);
    }
    sortByName(standings);
    return standings;
}

} // namespace

std::vector<Standing> characterStandings(soci::session& sql, long long dkpSystem) {
    return standingsOf(sql,
                       "SELECT c.name, c.player_class, s.earned, s.spent FROM standings s "
                       "JOIN characters c ON c.id = s.character_id WHERE s.dkp_system = :system",
                       dkpSystem);
}

std::vector<Standing> listedStandings(soci::session& sql, long long dkpSystem) {
    return standingsOf(sql,
                       "SELECT m.name, m.player_class, SUM(s.earned), SUM(s.spent) "
                       "FROM standings s JOIN characters c ON c.id = s.character_id "
                       "JOIN characters m ON m.id = COALESCE(c.main, c.id) "
                       "WHERE s.dkp_system = :system GROUP BY m.id, m.name, m.player_class",
                       dkpSystem);
}

} // namespace dkpsite
