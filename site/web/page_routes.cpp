#include "web/page_routes.h"

#include <httplib.h>

namespace dkpsite {

namespace {

std::string escapeHtml(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '&':
            escaped += "&amp;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string page(const std::string& title, const std::string& body) {
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + escapeHtml(title) +
           "</title></head><body><h1>" + escapeHtml(title) + "</h1>" + body + "</body></html>";
}

std::string cell(const std::string& text) {
    return "<td>" + escapeHtml(text) + "</td>";
}

std::string eventBody(const StoredEvent& event) {
    const RaidDocument& raid = event.raid;
    std::string body = "<p>" +
                       escapeHtml(event.guildId + " · " + raid.zone + " · " + raid.realm + " · " +
                                  raid.start + " – " + raid.end) +
                       "</p><p>" + escapeHtml(event.note) + "</p><p>" + escapeHtml(raid.note) +
                       "</p><h2>Members</h2><table>";
    for (const RaidMember& m : raid.members)
        body +=
            "<tr>" + cell(m.name) + cell(m.playerClass) + cell(std::to_string(m.level)) + "</tr>";
    body += "</table><h2>Kills</h2><table>";
    for (const RaidKill& k : raid.kills)
        body += "<tr>" + cell(k.boss) + cell(std::to_string(k.dkp)) + cell(k.time) +
                cell(std::to_string(k.attendees.size())) + "</tr>";
    body += "</table><h2>Loot</h2><table>";
    for (const RaidLoot& l : raid.loot)
        body += "<tr>" + cell(l.itemName) + cell(l.player) + cell(std::to_string(l.costs)) +
                cell(l.boss) + "</tr>";
    return body + "</table>";
}

void handleEventPage(SiteStore& store, const httplib::Request& req, httplib::Response& res) {
    std::optional<StoredEvent> event;
    try {
        if (req.get_param_value("method") == "event_info")
            event = store.event(std::stoll(req.get_param_value("eventid")));
    } catch (const std::logic_error&) {
        // Not a number: no such event.
    }
    if (!event) {
        res.status = 404;
        res.set_content(page("No such event", ""), "text/html; charset=utf-8");
        return;
    }
    res.set_content(page(event->name, eventBody(*event)), "text/html; charset=utf-8");
}

void handleGuildPage(SiteStore& store, const httplib::Request& req, httplib::Response& res) {
    const auto guild = store.guildBySite(req.matches[1].str());
    if (!guild) {
        res.status = 404;
        res.set_content(page("No such guild", ""), "text/html; charset=utf-8");
        return;
    }
    std::string body;
    for (const SiteDkpSystem& system : guild->systems) {
        body += "<h2>" + escapeHtml(system.name) + "</h2><table>";
        for (const Standing& s : store.standings(system.id))
            body += "<tr>" + cell(s.name) + cell(s.playerClass) + cell(std::to_string(s.dkp())) +
                    "</tr>";
        body += "</table>";
    }
    res.set_content(page(guild->guildId, body), "text/html; charset=utf-8");
}

} // namespace

void installPageRoutes(httplib::Server& server, SiteStore& store) {
    server.Get("/event.do", [&store](const httplib::Request& req, httplib::Response& res) {
        handleEventPage(store, req, res);
    });
    server.Get(R"(/([A-Za-z0-9_\-]+))",
               [&store](const httplib::Request& req, httplib::Response& res) {
                   handleGuildPage(store, req, res);
               });
}

} // namespace dkpsite
