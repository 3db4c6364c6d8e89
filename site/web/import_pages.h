#pragma once

#include "store/site_store.h"
#include "web/site_pages.h"

#include <httplib.h>
#include <string>

namespace dkpsite {

// Files a guild's officers bring to the site: a guild archive (the export of this or another
// site) into an empty guild, and a raid-log XML file that becomes an event. Both forms send the
// file as a multipart part; the route table has admitted only the guild's admins (archive) or
// officers (raid log), checked the CSRF token and bounded the body (http/server_limits.h).
class ImportPages {
public:
    ImportPages(SiteStore& store, const SitePages& pages);

    // `POST /<site>/import` (archive): the archive's DKP systems, characters, events, ledger and
    // audit log into the guild, which must have no raids, characters or points yet
    // (store/guild_archive.h, importIntoGuild).
    void importGuild(const std::string& site, const httplib::Request& req, httplib::Response& res,
                     const PageVisit& visit) const;
    // `POST /<site>/raid-import` (dkp, raidlog, points, name): the raid of the file as an event
    // of the DKP system, as an upload of it would be (records/raid_log_xml.h says what the file
    // lacks and how it is filled in). Answers with the event's page.
    void importRaidLog(const std::string& site, const httplib::Request& req, httplib::Response& res,
                       const PageVisit& visit) const;

private:
    void refuse(const httplib::Request& req, httplib::Response& res, const PageVisit& visit,
                int status, const std::string& message) const;
    std::string text(const httplib::Request& req, const std::string& key) const;
    std::string reason(const httplib::Request& req, const Refusal& refusal) const;

    SiteStore& store_;
    const SitePages& pages_;
};

} // namespace dkpsite
