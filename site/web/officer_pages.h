#pragma once

#include "store/site_store.h"
#include "web/site_pages.h"

#include <functional>
#include <httplib.h>
#include <optional>
#include <string>

namespace dkpsite {

// What a guild's officers change on the site, and what its admins read: adjustments of one
// member or many, a decay with its preview, alts, the audit log and the guild's export. The
// route table has admitted only the guild's officers (admins for the audit log and the export)
// and checked each form's CSRF token; the handlers check that the DKP system a form names is
// the guild's.
class OfficerPages {
public:
    OfficerPages(SiteStore& store, const SitePages& pages);

    // `GET /<site>/officer[?dkp=N][&percent=P&floor=F]`: the forms, and a decay's preview when
    // it names one.
    void page(const std::string& site, const httplib::Request& req, httplib::Response& res,
              const PageVisit& visit) const;
    // `POST /<site>/adjust` (dkp, name… and more, points, reason).
    void adjust(const std::string& site, const httplib::Request& req, httplib::Response& res,
                const PageVisit& visit) const;
    // `POST /<site>/decay` (dkp, percent, floor).
    void decay(const std::string& site, const httplib::Request& req, httplib::Response& res,
               const PageVisit& visit) const;
    // `POST /<site>/alt` (alt, main).
    void linkAlt(const std::string& site, const httplib::Request& req, httplib::Response& res,
                 const PageVisit& visit) const;
    // `POST /<site>/systems` (action = create | rename | archive | reopen, name to create or
    // rename, dkp for the others): a guild admin's new DKP system, a new name for one, or one
    // archived (read-only) or opened again.
    void editSystems(const std::string& site, const httplib::Request& req, httplib::Response& res,
                     const PageVisit& visit) const;
    // `GET /<site>/characters`: the guild's characters with class, level, main and whether
    // they are active.
    void characters(const std::string& site, const httplib::Request& req, httplib::Response& res,
                    const PageVisit& visit) const;
    // `POST /<site>/characters` (name, active = 1 | 0).
    void setCharacterActive(const std::string& site, const httplib::Request& req,
                            httplib::Response& res, const PageVisit& visit) const;
    // `GET /<site>/audit`: every write of the guild, newest first.
    void audit(const std::string& site, const httplib::Request& req, httplib::Response& res,
               const PageVisit& visit) const;
    // `GET /<site>/export`: the whole guild as the command line's `export` writes it.
    void exportGuild(const std::string& site, const httplib::Request& req, httplib::Response& res,
                     const PageVisit& visit) const;

private:
    // The guild at `site` and the DKP system the request names (its first without `dkp`).
    struct GuildSystem {
        SiteGuild guild;
        SiteDkpSystem system;
    };
    // The guild and its DKP system, or nothing once a page that says there is no such guild
    // has answered.
    std::optional<GuildSystem> guildSystemOrRefuse(const std::string& site,
                                                   const httplib::Request& req,
                                                   httplib::Response& res,
                                                   const PageVisit& visit) const;
    // The same for a form that changes points: an archived system is refused (409).
    std::optional<GuildSystem> openSystemOrRefuse(const std::string& site,
                                                  const httplib::Request& req,
                                                  httplib::Response& res,
                                                  const PageVisit& visit) const;
    std::optional<SiteGuild> guildOrRefuse(const std::string& site, const httplib::Request& req,
                                           httplib::Response& res, const PageVisit& visit) const;
    // Runs a write of the ledger; false once a change it refuses has been answered 400 with
    // the ledger's reason.
    bool writeOrRefuse(const std::function<void()>& write, const httplib::Request& req,
                       httplib::Response& res, const PageVisit& visit) const;
    void refuse(const httplib::Request& req, httplib::Response& res, const PageVisit& visit,
                int status, const std::string& message) const;
    void done(const SiteGuild& guild, std::int64_t dkpSystem, const std::string& what,
              httplib::Response& res) const;

    SiteStore& store_;
    const SitePages& pages_;
};

} // namespace dkpsite
