#pragma once

#include "auth/login_gate.h"
#include "store/site_store.h"

#include <httplib.h>
#include <optional>
#include <string>

namespace dkpsite {

// The protocol the client library speaks (login, account, event upload, guild DKP list), one
// handler per request; http/site_routes.cpp puts them in the route table with the access each
// needs. `token` is the request's session token.
// `address` is the address the request came from.
void serveLogin(LoginGate& logins, const httplib::Request& req, const std::string& address,
                httplib::Response& res);
void serveLogout(SiteStore& store, const std::string& token, httplib::Response& res);
// `publicUrl` is the base of the addresses the site gives out.
void serveAccount(SiteStore& store, const std::string& token, const std::string& publicUrl,
                  httplib::Response& res);
void serveUpload(SiteStore& store, const std::string& token, const httplib::Request& req,
                 const std::string& address, httplib::Response& res);
void serveEvent(SiteStore& store, const httplib::Request& req, httplib::Response& res);
void serveGuildDkpList(SiteStore& store, const httplib::Request& req, httplib::Response& res);

// The event number of an `/api/events/<number>` request.
std::optional<std::int64_t> requestedEventId(const httplib::Request& req);
// The guild identifier an upload names, or nothing when the body is not an upload request.
std::optional<std::string> uploadGuildId(const httplib::Request& req);

// The guild DKP list text of a guild, or nothing for an unknown site name.
std::optional<std::string> guildDkpListText(SiteStore& store, const std::string& site);

} // namespace dkpsite
