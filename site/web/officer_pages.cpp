#include "web/officer_pages.h"

#include "ledger/points_rules.h"
#include "store/guild_archive.h"
#include "web/member_view.h"
#include "web/page_request.h"
#include "web/refusal_text.h"

#include <algorithm>
#include <set>

namespace dkpsite {

namespace {

using kainjow::mustache::data;

// A DKP system's name, as the client's lists show it.
constexpr std::size_t kMaxSystemNameBytes = 64;

// Names in one adjustment: a raid's members and some more.
constexpr std::size_t kMaxAdjustedNames = 200;

data list() {
    return data(data::type::list);
}

std::string number(std::int64_t value) {
    return std::to_string(value);
}

// The request's `name` parameter as a whole number, with an optional minus sign, inside
// ±`limit`; nothing otherwise.
std::optional<std::int64_t> signedParameter(const httplib::Request& req, const char* name,
                                            std::int64_t limit) {
    std::string text = trimmed(req.get_param_value(name));
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        text.erase(0, 1);
    if (text.empty() || text.size() > 15 || text.find_first_not_of("0123456789") != text.npos)
        return std::nullopt;
    const std::int64_t value = std::stoll(text);
    if (value > limit)
        return std::nullopt;
    return negative ? -value : value;
}

// The guild's DKP system the request's `dkp` names; without one, the guild's first open one.
const SiteDkpSystem* systemOf(const SiteGuild& guild, const httplib::Request& req) {
    if (!req.has_param("dkp")) {
        for (const SiteDkpSystem& system : guild.systems)
            if (!system.archived())
                return &system;
        return guild.systems.empty() ? nullptr : &guild.systems.front();
    }
    const auto wanted = numberParameter(req, "dkp");
    for (const SiteDkpSystem& system : guild.systems)
        if (wanted && system.id == *wanted)
            return &system;
    return nullptr;
}

// The names an adjustment is for: every ticked member (`name`) and each line or comma-separated
// piece of `more`, once each, in the order given.
std::vector<std::string> adjustedNames(const httplib::Request& req) {
    std::vector<std::string> names;
    std::set<std::string> seen;
    const auto add = [&](const std::string& name) {
        const std::string kept = trimmed(name);
        if (!kept.empty() && seen.insert(kept).second)
            names.push_back(kept);
    };
    for (std::size_t i = 0; i < req.get_param_value_count("name"); ++i)
        add(req.get_param_value("name", i));
    std::string piece;
    for (const char c : req.get_param_value("more")) {
        if (c == ',' || c == '\n') {
            add(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    add(piece);
    return names;
}

Origin webOrigin(const PageVisit& visit) {
    return Origin{visit.user, EntrySource::Web, visit.address, visit.nowMs};
}

} // namespace

OfficerPages::OfficerPages(SiteStore& store, const SitePages& pages)
    : store_(store), pages_(pages) {}

void OfficerPages::refuse(const httplib::Request& req, httplib::Response& res,
                          const PageVisit& visit, int status, const std::string& message) const {
    pages_.answerMessage(req, res, visit, status,
                         pages_.renderer().text(requestLanguage(req), "edit_refused_title"),
                         message);
}

std::optional<SiteGuild> OfficerPages::guildOrRefuse(const std::string& site,
                                                     const httplib::Request& req,
                                                     httplib::Response& res,
                                                     const PageVisit& visit) const {
    auto guild = store_.guildBySite(site);
    if (!guild)
        refuse(req, res, visit, 404, pages_.renderer().text(requestLanguage(req), "no_guild"));
    return guild;
}

std::optional<OfficerPages::GuildSystem>
OfficerPages::guildSystemOrRefuse(const std::string& site, const httplib::Request& req,
                                  httplib::Response& res, const PageVisit& visit) const {
    auto guild = guildOrRefuse(site, req, res, visit);
    if (!guild)
        return std::nullopt;
    const SiteDkpSystem* system = systemOf(*guild, req);
    if (!system) {
        refuse(req, res, visit, 404, pages_.renderer().text(requestLanguage(req), "no_guild"));
        return std::nullopt;
    }
    const SiteDkpSystem chosen = *system;
    return GuildSystem{std::move(*guild), chosen};
}

std::optional<OfficerPages::GuildSystem>
OfficerPages::openSystemOrRefuse(const std::string& site, const httplib::Request& req,
                                 httplib::Response& res, const PageVisit& visit) const {
    auto target = guildSystemOrRefuse(site, req, res, visit);
    if (target && target->system.archived()) {
        refuse(req, res, visit, 409,
               pages_.renderer().text(requestLanguage(req), "system_archived_refusal"));
        return std::nullopt;
    }
    return target;
}

bool OfficerPages::writeOrRefuse(const std::function<void()>& write, const httplib::Request& req,
                                 httplib::Response& res, const PageVisit& visit) const {
    try {
        write();
        return true;
    } catch (const LedgerError& error) {
        refuse(req, res, visit, 400,
               refusalText(pages_.renderer(), requestLanguage(req), error.refusal));
        return false;
    }
}

void OfficerPages::done(const SiteGuild& guild, std::int64_t dkpSystem, const std::string& what,
                        httplib::Response& res) const {
    res.set_redirect("/" + guild.site + "/officer?dkp=" + number(dkpSystem) + "&done=" + what, 303);
}

void OfficerPages::page(const std::string& site, const httplib::Request& req,
                        httplib::Response& res, const PageVisit& visit) const {
    const PageLanguage language = requestLanguage(req);
    const auto target = guildSystemOrRefuse(site, req, res, visit);
    if (!target)
        return;
    const SiteGuild* guild = &target->guild;
    const SiteDkpSystem* system = &target->system;

    data values;
    values.set("site", guild->site);
    values.set("guild_id", guild->guildId);
    values.set("system_id", number(system->id));
    values.set("system_name", system->name);
    values.set("csrf", visit.formToken());
    values.set("max_points", number(kMaxAdjustmentPoints));
    values.set("admin", visit.guildAdmin);
    values.set("archived", system->archived());
    values.set("open", !system->archived());
    const std::string finished = req.get_param_value("done");
    for (const char* known :
         {"adjusted", "decayed", "linked", "system", "archived", "reopened", "imported"})
        if (finished == known)
            values.set("notice", pages_.renderer().text(language, "done_" + finished));

    data systems = list();
    for (const SiteDkpSystem& candidate : guild->systems) {
        data value;
        value.set("id", number(candidate.id));
        value.set("name", candidate.name);
        value.set("current", candidate.id == system->id);
        value.set("archived", candidate.archived());
        systems.push_back(value);
    }
    values.set("systems", systems);

    data players = list();
    for (const Standing& standing : store_.standings(system->id)) {
        data player;
        player.set("name", standing.name);
        player.set("points", number(standing.dkp()));
        players.push_back(player);
    }
    values.set("players", players);

    const auto percent = numberParameter(req, "percent");
    const auto floor = numberParameter(req, "floor").value_or(0);
    if (percent) {
        const DecayRule rule{static_cast<int>(std::min<std::int64_t>(*percent, 1000)), floor};
        data preview;
        preview.set("percent", number(rule.percent));
        preview.set("floor", number(rule.floor));
        try {
            data entries = list();
            for (const LedgerEntry& entry : store_.previewDecay(system->id, rule)) {
                data row;
                row.set("name", entry.character);
                row.set("change", number(entry.earned - entry.spent));
                entries.push_back(row);
            }
            preview.set("entries", entries);
            values.set("preview", preview);
        } catch (const LedgerError& error) {
            values.set("decay_problem", refusalText(pages_.renderer(), language, error.refusal));
        }
    }
    pages_.answer(req, res, visit, "officer", "", values);
}

void OfficerPages::adjust(const std::string& site, const httplib::Request& req,
                          httplib::Response& res, const PageVisit& visit) const {
    const PageLanguage language = requestLanguage(req);
    const auto target = openSystemOrRefuse(site, req, res, visit);
    if (!target)
        return;
    const std::vector<std::string> names = adjustedNames(req);
    const auto points = signedParameter(req, "points", kMaxAdjustmentPoints);
    const std::string reason = trimmed(req.get_param_value("reason"));
    if (names.empty() || names.size() > kMaxAdjustedNames)
        return refuse(req, res, visit, 400, pages_.renderer().text(language, "adjust_no_names"));
    for (const std::string& name : names)
        if (name.size() > document_limits::kName)
            return refuse(req, res, visit, 400,
                          pages_.renderer().text(language, "adjust_long_name"));
    if (!points || *points == 0)
        return refuse(req, res, visit, 400, pages_.renderer().text(language, "adjust_no_points"));
    if (reason.empty())
        return refuse(req, res, visit, 400, pages_.renderer().text(language, "edit_needs_reason"));
    const auto adjustAll = [&] {
        for (const std::string& name : names)
            store_.adjust(target->system.id, name, *points, reason, webOrigin(visit));
    };
    if (writeOrRefuse(adjustAll, req, res, visit))
        done(target->guild, target->system.id, "adjusted", res);
}

void OfficerPages::decay(const std::string& site, const httplib::Request& req,
                         httplib::Response& res, const PageVisit& visit) const {
    const auto target = openSystemOrRefuse(site, req, res, visit);
    if (!target)
        return;
    const auto percent = numberParameter(req, "percent");
    const auto floor = numberParameter(req, "floor");
    if (!percent || !floor || *percent > 100)
        return refuse(req, res, visit, 400,
                      pages_.renderer().text(requestLanguage(req), "decay_unreadable"));
    const DecayRule rule{static_cast<int>(*percent), *floor};
    if (writeOrRefuse([&] { store_.decay(target->system.id, rule, webOrigin(visit)); }, req, res,
                      visit))
        done(target->guild, target->system.id, "decayed", res);
}

void OfficerPages::linkAlt(const std::string& site, const httplib::Request& req,
                           httplib::Response& res, const PageVisit& visit) const {
    const auto target = guildSystemOrRefuse(site, req, res, visit);
    if (!target)
        return;
    const std::string alt = trimmed(req.get_param_value("alt"));
    const std::string main = trimmed(req.get_param_value("main"));
    if (alt.empty() || main.empty() || alt.size() > document_limits::kName ||
        main.size() > document_limits::kName)
        return refuse(req, res, visit, 400,
                      pages_.renderer().text(requestLanguage(req), "alt_unreadable"));
    if (writeOrRefuse([&] { store_.linkAlt(target->guild.rowId, alt, main, webOrigin(visit)); },
                      req, res, visit))
        done(target->guild, target->system.id, "linked", res);
}

void OfficerPages::editSystems(const std::string& site, const httplib::Request& req,
                               httplib::Response& res, const PageVisit& visit) const {
    const PageLanguage language = requestLanguage(req);
    const auto guild = guildOrRefuse(site, req, res, visit);
    if (!guild)
        return;
    const std::string action = req.get_param_value("action");
    if (action == "archive" || action == "reopen") {
        const SiteDkpSystem* system = req.has_param("dkp") ? systemOf(*guild, req) : nullptr;
        if (!system)
            return refuse(req, res, visit, 400,
                          pages_.renderer().text(language, "edit_unreadable"));
        const bool archive = action == "archive";
        const auto open = std::count_if(guild->systems.begin(), guild->systems.end(),
                                        [](const SiteDkpSystem& s) { return !s.archived(); });
        if (archive && !system->archived() && open == 1)
            return refuse(req, res, visit, 409,
                          pages_.renderer().text(language, "system_last_open"));
        if (writeOrRefuse(
                [&] { store_.setDkpSystemArchived(system->id, archive, webOrigin(visit)); }, req,
                res, visit))
            done(*guild, system->id, archive ? "archived" : "reopened", res);
        return;
    }
    const std::string name = trimmed(req.get_param_value("name"));
    if (name.empty() || name.size() > kMaxSystemNameBytes)
        return refuse(req, res, visit, 400, pages_.renderer().text(language, "system_bad_name"));
    for (const SiteDkpSystem& system : guild->systems)
        if (system.name == name)
            return refuse(req, res, visit, 400,
                          pages_.renderer().text(language, "system_name_taken"));
    if (action == "create")
        return done(*guild, store_.addDkpSystem(guild->rowId, name, webOrigin(visit)), "system",
                    res);
    const SiteDkpSystem* system = req.has_param("dkp") ? systemOf(*guild, req) : nullptr;
    if (action != "rename" || !system)
        return refuse(req, res, visit, 400, pages_.renderer().text(language, "edit_unreadable"));
    store_.renameDkpSystem(system->id, name, webOrigin(visit));
    done(*guild, system->id, "system", res);
}

void OfficerPages::characters(const std::string& site, const httplib::Request& req,
                              httplib::Response& res, const PageVisit& visit) const {
    const auto guild = guildOrRefuse(site, req, res, visit);
    if (!guild)
        return;
    data rows = list();
    for (const GuildCharacter& character : store_.characters(guild->rowId)) {
        data row;
        row.set("name", character.name);
        row.set("class", character.playerClass);
        row.set("level", number(character.level));
        row.set("main", character.main);
        row.set("active", character.active);
        rows.push_back(row);
    }
    data values;
    values.set("site", guild->site);
    values.set("guild_id", guild->guildId);
    values.set("csrf", visit.formToken());
    values.set("characters", rows);
    if (req.get_param_value("done") == "status")
        values.set("notice", pages_.renderer().text(requestLanguage(req), "done_status"));
    pages_.answer(req, res, visit, "characters", "", values);
}

void OfficerPages::setCharacterActive(const std::string& site, const httplib::Request& req,
                                      httplib::Response& res, const PageVisit& visit) const {
    const auto guild = guildOrRefuse(site, req, res, visit);
    if (!guild)
        return;
    const std::string name = trimmed(req.get_param_value("name"));
    const std::string active = req.get_param_value("active");
    if (name.empty() || name.size() > document_limits::kName || (active != "0" && active != "1"))
        return refuse(req, res, visit, 400,
                      pages_.renderer().text(requestLanguage(req), "edit_unreadable"));
    if (writeOrRefuse(
            [&] { store_.setCharacterActive(guild->rowId, name, active == "1", webOrigin(visit)); },
            req, res, visit))
        res.set_redirect("/" + guild->site + "/characters?done=status", 303);
}

void OfficerPages::audit(const std::string& site, const httplib::Request& req,
                         httplib::Response& res, const PageVisit& visit) const {
    const auto guild = guildOrRefuse(site, req, res, visit);
    if (!guild)
        return;
    const std::vector<AuditRecord> records = store_.audit(guild->rowId);
    data rows = list();
    for (auto record = records.rbegin(); record != records.rend(); ++record) {
        data row;
        row.set("time", ledgerTimeText(record->origin.atMs));
        row.set("who", record->origin.who);
        row.set("source", std::string(entrySourceName(record->origin.source)));
        row.set("address", record->origin.address);
        row.set("action", record->action);
        row.set("subject", record->subject);
        row.set("before", record->before);
        row.set("after", record->after);
        rows.push_back(row);
    }
    data values;
    values.set("site", guild->site);
    values.set("guild_id", guild->guildId);
    values.set("records", rows);
    pages_.answer(req, res, visit, "audit", "", values);
}

void OfficerPages::exportGuild(const std::string& site, const httplib::Request& req,
                               httplib::Response& res, const PageVisit& visit) const {
    try {
        const std::string archive = dkpsite::exportGuild(store_.database(), site);
        setPageSecurityHeaders(res);
        res.set_header("Cache-Control", "no-store");
        res.set_header("Content-Disposition", "attachment; filename=\"" + site + ".json\"");
        res.set_content(archive, "application/json; charset=utf-8");
    } catch (const ArchiveError& error) {
        refuse(req, res, visit, 404,
               refusalText(pages_.renderer(), requestLanguage(req), error.refusal));
    }
}

} // namespace dkpsite
