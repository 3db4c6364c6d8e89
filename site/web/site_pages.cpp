#include "web/site_pages.h"

#include "web/member_view.h"
#include "web/page_request.h"
#include "web/standings_view.h"
#include "web/web_assets.h"

#include <algorithm>
#include <map>
#include <set>

namespace dkpsite {

namespace {

using kainjow::mustache::data;

constexpr int kLatestEvents = 10;
constexpr int kLatestLoot = 15;
constexpr int kFoundLoot = 200;
// A member's ledger entries a page: a season of raids. A raider of three years has thousands,
// and a phone should not lay out all of them at once.
constexpr std::int64_t kTimelinePageRows = 100;
// Longer searches name no item; the field's own limit.
constexpr size_t kSearchTextLimit = 100;
// The chart's drawing box, in SVG units; it scales to the page's width.
constexpr int kChartWidth = 600;
constexpr int kChartHeight = 160;
constexpr const char* kHtml = "text/html; charset=utf-8";

data list() {
    return data(data::type::list);
}

std::string number(std::int64_t value) {
    return std::to_string(value);
}

std::string memberAddress(const std::string& site, std::int64_t dkpSystem,
                          const std::string& name) {
    return "/" + site + "/member?dkp=" + number(dkpSystem) + "&name=" + percentEncoded(name);
}

data lootValues(const std::vector<LootRecord>& records) {
    data rows = list();
    for (const LootRecord& record : records) {
        data row;
        row.set("item", record.itemName);
        row.set("player", record.player);
        row.set("costs", number(record.costs));
        row.set("event_name", record.eventName);
        row.set("time", record.time);
        row.set("href", eventPageAddress(record.event, record.dkpSystem, record.guildId));
        rows.push_back(row);
    }
    return rows;
}

data guildValues(const std::vector<SiteGuild>& guilds) {
    data rows = list();
    for (const SiteGuild& guild : guilds) {
        data row;
        row.set("guild_id", guild.guildId);
        row.set("site", guild.site);
        rows.push_back(row);
    }
    return rows;
}

// The column headings of the standings: each a link that sorts by it, the other way round
// when it is the column sorted by.
data columnValues(const PageRenderer& renderer, PageLanguage language, const std::string& base,
                  const StandingsQuery& query) {
    static const std::pair<StandingsColumn, const char*> columns[] = {
        {StandingsColumn::Name, "col_name"},
        {StandingsColumn::Class, "col_class"},
        {StandingsColumn::Points, "col_points"},
        {StandingsColumn::Attendance, "col_attendance"}};
    data values = list();
    for (const auto& [column, key] : columns) {
        const bool sorted = column == query.sort;
        const bool nextDescending =
            sorted ? !query.descending
                   : column == StandingsColumn::Points || column == StandingsColumn::Attendance;
        data value;
        value.set("label", renderer.text(language, key));
        value.set("href", base + "&sort=" + columnParameter(column) +
                              "&order=" + (nextDescending ? "desc" : "asc") +
                              "&class=" + percentEncoded(query.playerClass) +
                              "&q=" + percentEncoded(query.name) +
                              (query.withInactive ? "&inactive=1" : ""));
        value.set("sorted", sorted);
        value.set("aria", query.descending ? "descending" : "ascending");
        value.set("arrow", query.descending ? "▼" : "▲");
        values.push_back(value);
    }
    return values;
}

data standingValues(const std::vector<StandingRow>& rows, std::int64_t raidCount,
                    const std::string& site, std::int64_t dkpSystem) {
    data values = list();
    for (const StandingRow& row : rows) {
        data value;
        value.set("name", row.standing.name);
        value.set("href", memberAddress(site, dkpSystem, row.standing.name));
        value.set("class", row.standing.playerClass);
        value.set("points", number(row.standing.dkp()));
        value.set("attendance", std::to_string(attendancePercent(row, raidCount)));
        value.set("inactive", !row.active);
        values.push_back(value);
    }
    return values;
}

data classValues(const std::vector<StandingRow>& rows, const std::string& selected) {
    std::set<std::string> classes;
    for (const StandingRow& row : rows)
        if (!row.standing.playerClass.empty())
            classes.insert(row.standing.playerClass);
    data values = list();
    for (const std::string& name : classes) {
        data value;
        value.set("name", name);
        value.set("selected", name == selected);
        values.push_back(value);
    }
    return values;
}

// Each member's kills present and points from the event: the points of the kills attended,
// less the cost of the loot received.
void addMemberValues(const RaidDocument& raid, data& values) {
    std::map<std::string, std::int64_t> kills, net;
    for (const RaidKill& kill : raid.kills) {
        // A name listed twice earns twice, as the standings count it; it is one kill present.
        for (const std::string& name : kill.attendees)
            net[name] += kill.dkp;
        for (const std::string& name :
             std::set<std::string>(kill.attendees.begin(), kill.attendees.end()))
            ++kills[name];
    }
    for (const RaidLoot& loot : raid.loot)
        net[loot.player] -= loot.costs;
    data members = list();
    for (const RaidMember& member : raid.members) {
        data row;
        row.set("name", member.name);
        row.set("class", member.playerClass);
        row.set("level", number(member.level));
        row.set("kills", number(kills[member.name]));
        row.set("kill_count", number(static_cast<std::int64_t>(raid.kills.size())));
        row.set("net", number(net[member.name]));
        members.push_back(row);
    }
    values.set("members", members);
    values.set("member_count", number(static_cast<std::int64_t>(raid.members.size())));
}

void addKillValues(const RaidDocument& raid, data& values) {
    data kills = list();
    for (const RaidKill& kill : raid.kills) {
        std::string attendees;
        for (const std::string& name : kill.attendees)
            attendees += (attendees.empty() ? "" : ", ") + name;
        data row;
        row.set("boss", kill.boss);
        row.set("dkp", number(kill.dkp));
        row.set("time", kill.time);
        row.set("attendee_count", number(static_cast<std::int64_t>(kill.attendees.size())));
        row.set("attendees", attendees);
        kills.push_back(row);
    }
    values.set("kills", kills);
}

void addLootValues(const RaidDocument& raid, data& values) {
    data loot = list();
    for (const RaidLoot& item : raid.loot) {
        data row;
        row.set("item", item.itemName);
        row.set("item_query", percentEncoded(item.itemName));
        row.set("player", item.player);
        row.set("costs", number(item.costs));
        row.set("boss", item.boss);
        row.set("time", item.time);
        loot.push_back(row);
    }
    values.set("loot", loot);
}

// The forms an officer changes an event with: a loot's cost, a kill's points, or the whole
// event removed, each with a reason. Items and kills are chosen by their place in the raid.
data editValues(const StoredEvent& event, const std::string& csrf) {
    data edit;
    edit.set("csrf", csrf);
    edit.set("event_id", number(event.id));
    edit.set("max", number(kMaxDocumentNumber));
    data loot = list();
    for (std::size_t i = 0; i < event.raid.loot.size(); ++i) {
        const RaidLoot& item = event.raid.loot[i];
        data choice;
        choice.set("index", number(static_cast<std::int64_t>(i)));
        choice.set("label", item.itemName + " → " + item.player + " (" + number(item.costs) + ")");
        loot.push_back(choice);
    }
    data kills = list();
    for (std::size_t i = 0; i < event.raid.kills.size(); ++i) {
        const RaidKill& kill = event.raid.kills[i];
        data choice;
        choice.set("index", number(static_cast<std::int64_t>(i)));
        choice.set("label", kill.boss + " (" + number(kill.dkp) + ")");
        kills.push_back(choice);
    }
    data players = list();
    for (const RaidMember& member : event.raid.members) {
        data player;
        player.set("name", member.name);
        players.push_back(player);
    }
    edit.set("players", players);
    edit.set("name", event.name);
    edit.set("note", event.note);
    // Each a section of its own, shown once, when there is something to choose.
    if (!event.raid.loot.empty())
        edit.set("loot_edit", data("choices", loot));
    if (!event.raid.kills.empty())
        edit.set("kill_edit", data("choices", kills));
    return edit;
}

// The DKP system of the guild that the request's `dkp` names, otherwise the guild's first.
const SiteDkpSystem& chosenSystem(const SiteGuild& guild, const httplib::Request& req) {
    const auto wanted = numberParameter(req, "dkp");
    for (const SiteDkpSystem& candidate : guild.systems)
        if (wanted && candidate.id == *wanted)
            return candidate;
    for (const SiteDkpSystem& candidate : guild.systems)
        if (!candidate.archived())
            return candidate;
    return guild.systems.front();
}

std::string signedNumber(std::int64_t value) {
    return (value > 0 ? "+" : "") + number(value);
}

} // namespace

void setPageSecurityHeaders(httplib::Response& res) {
    res.set_header("Content-Security-Policy",
                   "default-src 'none'; style-src 'self'; img-src 'self' data:; "
                   "form-action 'self'; base-uri 'none'; frame-ancestors 'none'");
    res.set_header("X-Content-Type-Options", "nosniff");
    res.set_header("Referrer-Policy", "same-origin");
}

SitePages::SitePages(PageData& data, std::function<std::int64_t()> clock)
    : data_(data), clock_(std::move(clock)) {}

void SitePages::answer(const httplib::Request& req, httplib::Response& res, const PageVisit& visit,
                       const std::string& name, const std::string& title,
                       TemplateValues values) const {
    PageView view;
    view.language = requestLanguage(req);
    view.title = title.empty() ? renderer_.text(view.language, name + "_title") : title;
    view.target = percentEncoded(localTarget(req.target));
    if (visit.signedIn()) {
        view.user = visit.user;
        view.logoutToken = visit.formToken();
    }
    view.values = std::move(values);
    setPageSecurityHeaders(res);
    res.set_header("Cache-Control", "no-store");
    res.set_content(renderer_.render(name, std::move(view)), kHtml);
}

void SitePages::answerMessage(const httplib::Request& req, httplib::Response& res,
                              const PageVisit& visit, int status, const std::string& title,
                              const std::string& message) const {
    data values;
    values.set("message", message);
    answer(req, res, visit, "message", title, values);
    res.status = status;
}

void SitePages::answerMissing(const httplib::Request& req, httplib::Response& res,
                              const PageVisit& visit, const std::string& messageKey) const {
    const PageLanguage language = requestLanguage(req);
    answerMessage(req, res, visit, 404, renderer_.text(language, "not_found_title"),
                  renderer_.text(language, messageKey));
}

void SitePages::home(const httplib::Request& req, httplib::Response& res,
                     const PageVisit& visit) const {
    data values;
    values.set("guilds", guildValues(data_.publicGuilds()));
    answer(req, res, visit, "home", "", values);
}

void SitePages::help(const httplib::Request& req, httplib::Response& res,
                     const PageVisit& visit) const {
    answer(req, res, visit, "help", "", data());
}

void SitePages::guild(const std::string& site, const httplib::Request& req, httplib::Response& res,
                      const PageVisit& visit) const {
    const auto guild = data_.guildBySite(site);
    if (!guild)
        return answerMissing(req, res, visit, "no_guild");
    if (guild->systems.empty())
        return answer(req, res, visit, "message", guild->guildId, data());
    const SiteDkpSystem* system = &chosenSystem(*guild, req);

    const StandingsQuery query = standingsQuery(
        req.get_param_value("sort"), req.get_param_value("order"), req.get_param_value("class"),
        req.get_param_value("q"), req.get_param_value("inactive"));
    std::vector<StandingRow> all = data_.standings(system->id);
    markInactive(all, data_.characters(guild->rowId));
    const std::int64_t raidCount = data_.raidCount(system->id);
    const PageLanguage language = requestLanguage(req);

    data values;
    // The open DKP systems as tabs, the archived ones apart.
    data systems = list(), archived = list();
    for (const SiteDkpSystem& candidate : guild->systems) {
        data value;
        value.set("id", number(candidate.id));
        value.set("name", candidate.name);
        value.set("site", guild->site);
        value.set("current", candidate.id == system->id);
        (candidate.archived() ? archived : systems).push_back(value);
    }
    values.set("systems", systems);
    values.set("has_archived", !archived.is_empty_list());
    values.set("archived_systems", archived);
    values.set("archived", system->archived());
    values.set("with_inactive", query.withInactive);
    values.set("site", guild->site);
    values.set("system_id", number(system->id));
    values.set("system_name", system->name);
    values.set("raid_count", number(raidCount));
    values.set("sort", columnParameter(query.sort));
    values.set("order", query.descending ? "desc" : "asc");
    values.set("query", query.name);
    values.set("classes", classValues(shownPlayers(all, query), query.playerClass));
    values.set("columns", columnValues(renderer_, language,
                                       "/" + guild->site + "?dkp=" + number(system->id), query));
    values.set("rows",
               standingValues(selectStandings(all, query), raidCount, guild->site, system->id));

    data events = list();
    for (const EventSummary& summary : data_.latestEvents(guild->rowId, kLatestEvents)) {
        data value;
        value.set("name", summary.name);
        value.set("zone", summary.zone);
        value.set("start", summary.start);
        value.set("members", number(summary.members));
        value.set("href", eventPageAddress(summary.id, summary.dkpSystem, guild->guildId));
        events.push_back(value);
    }
    values.set("events", events);
    values.set("loot", lootValues(data_.latestLoot(guild->rowId, kLatestLoot)));
    values.set("empty_text", renderer_.text(language, "no_loot"));
    if (guild->registration == RegistrationPolicy::Open && !visit.signedIn())
        values.set("register_href", "/register?site=" + guild->site);
    if (visit.officer)
        values.set("officer_href", "/" + guild->site + "/officer?dkp=" + number(system->id));
    answer(req, res, visit, "guild", guild->guildId, values);
}

void SitePages::member(const std::string& site, const httplib::Request& req, httplib::Response& res,
                       const PageVisit& visit) const {
    const auto guild = data_.guildBySite(site);
    if (!guild || guild->systems.empty())
        return answerMissing(req, res, visit, "no_guild");
    const SiteDkpSystem& system = chosenSystem(*guild, req);
    const std::string name = req.get_param_value("name");
    const std::optional<Standing> standing =
        name.empty() ? std::nullopt : data_.standing(system.id, name);
    if (!standing)
        return answerMissing(req, res, visit, "no_member");
    const PageLanguage language = requestLanguage(req);

    data values;
    values.set("site", guild->site);
    values.set("guild_id", guild->guildId);
    values.set("system_id", number(system.id));
    values.set("system_name", system.name);
    values.set("points", number(standing->dkp()));
    values.set("earned", number(standing->earned));
    values.set("spent", number(standing->spent));
    if (!standing->playerClass.empty())
        values.set("class", standing->playerClass);

    if (const auto chart =
            pointsChart(data_.raidBalances(system.id, name), kChartWidth, kChartHeight)) {
        data drawing;
        drawing.set("points", chart->points);
        drawing.set("zero_y", chart->zeroY);
        drawing.set("width", number(kChartWidth));
        drawing.set("chart_width", number(kChartWidth + 8));
        drawing.set("chart_height", number(kChartHeight + 16));
        drawing.set("bottom_label_y", number(kChartHeight + 4));
        drawing.set("highest", number(chart->highest));
        drawing.set("lowest", number(chart->lowest));
        values.set("chart", drawing);
    }

    data spans = list();
    const std::int64_t today = clock_() / (24LL * 60 * 60 * 1000);
    for (const AttendanceSpan& span : attendanceSpans(data_.raidPresence(system.id, name), today)) {
        data value;
        value.set("label",
                  renderer_.text(language, span.days == 0 ? "span_all"
                                                          : "span_" + std::to_string(span.days)));
        value.set("percent", std::to_string(span.percent()));
        value.set("attended", number(span.attended));
        value.set("raids", number(span.raids));
        spans.push_back(value);
    }
    values.set("attendance", spans);

    // Newest first, each with the balance it left, kTimelinePageRows a page.
    const TimelinePage shown = data_.timeline(
        system.id, name, numberParameter(req, "page").value_or(1), kTimelinePageRows);
    data timeline = list();
    for (const TimelineEntry& entry : shown.entries) {
        data row;
        row.set("time", ledgerTimeText(entry.atMs));
        if (entry.event != 0) {
            row.set("event_name", entry.eventName);
            row.set("href", eventPageAddress(entry.event, system.id, guild->guildId));
        }
        row.set("kind", renderer_.text(language, "kind_" + entry.kind));
        if (!entry.reason.empty())
            row.set("reason", entry.reason);
        if (entry.character != name)
            row.set("alt", entry.character);
        row.set("change", signedNumber(entry.points));
        row.set("balance", number(entry.balance));
        timeline.push_back(row);
    }
    values.set("timeline", timeline);
    if (shown.pages > 1) {
        const std::string here = memberAddress(guild->site, system.id, name) + "&page=";
        data paging;
        paging.set("page", number(shown.page));
        paging.set("pages", number(shown.pages));
        if (shown.page > 1)
            paging.set("newer_href", here + number(shown.page - 1));
        if (shown.page < shown.pages)
            paging.set("older_href", here + number(shown.page + 1));
        values.set("paging", paging);
    }
    values.set("loot", lootValues(data_.lootOf(system.id, name)));
    values.set("empty_text", renderer_.text(language, "no_loot"));
    answer(req, res, visit, "member", name, values);
}

void SitePages::event(const httplib::Request& req, httplib::Response& res,
                      const PageVisit& visit) const {
    const auto id = req.get_param_value("method") == "event_info" ? numberParameter(req, "eventid")
                                                                  : std::nullopt;
    auto event = id ? data_.event(*id) : std::nullopt;
    // The client's address also names the event's DKP system and guild: they must be its own.
    if (event && req.has_param("dkpid") && numberParameter(req, "dkpid") != event->dkpId)
        event.reset();
    if (event && req.has_param("guildid") && req.get_param_value("guildid") != event->guildId)
        event.reset();
    const auto guild = event ? data_.guildById(event->guildId) : std::nullopt;
    if (!event || !guild)
        return answerMissing(req, res, visit, "no_event");

    const RaidDocument& raid = event->raid;
    data values;
    values.set("guild_id", guild->guildId);
    values.set("site", guild->site);
    values.set("zone", raid.zone);
    values.set("realm", raid.realm);
    values.set("start", raid.start);
    values.set("end", raid.end);
    values.set("uploader", event->uploader);
    // A text is shown as a section only when it is not empty.
    if (!event->note.empty())
        values.set("note", event->note);
    if (!raid.note.empty())
        values.set("raid_note", raid.note);
    addMemberValues(raid, values);
    addKillValues(raid, values);
    addLootValues(raid, values);
    if (event->removedMs != 0)
        values.set("removed", ledgerTimeText(event->removedMs));
    else if (visit.officer)
        values.set("edit", editValues(*event, visit.formToken()));
    answer(req, res, visit, "event", event->name, values);
}

void SitePages::itemSearch(const httplib::Request& req, httplib::Response& res,
                           const PageVisit& visit) const {
    const std::string text = req.get_param_value("n");
    data values;
    values.set("query", text);
    const bool searched = !text.empty() && text.size() <= kSearchTextLimit;
    values.set("searched", searched);
    if (searched)
        values.set("loot", lootValues(data_.findLoot(text, kFoundLoot)));
    values.set("empty_text", renderer_.text(requestLanguage(req), "no_items"));
    answer(req, res, visit, "items", "", values);
}

void SitePages::chooseLanguage(const httplib::Request& req, httplib::Response& res,
                               const PageVisit&) const {
    const auto language = languageNamed(req.get_param_value("set"));
    if (language)
        res.set_header("Set-Cookie", std::string(kLanguageCookie) + "=" + languageCode(*language) +
                                         "; Path=/; Max-Age=31536000; SameSite=Lax; HttpOnly");
    res.set_redirect(localTarget(req.get_param_value("back")), 303);
}

void SitePages::stylesheet(const httplib::Request&, httplib::Response& res,
                           const PageVisit&) const {
    setPageSecurityHeaders(res);
    res.set_header("Cache-Control", "public, max-age=3600");
    const std::string_view css = webAssets().at("site.css");
    res.set_content(css.data(), css.size(), "text/css; charset=utf-8");
}

void SitePages::notFound(const httplib::Request& req, httplib::Response& res,
                         const PageVisit& visit) const {
    answerMissing(req, res, visit, "not_found");
}

} // namespace dkpsite
