#pragma once

#include "store/site_store.h"
#include "web/site_pages.h"

#include <httplib.h>
#include <string>

namespace dkpsite {

// Who belongs to a guild, as its admins change it: each account's role, how new accounts
// register, the guild's invite links, and one-time links that set a member's password. The
// route table has admitted only the guild's admins and checked each form's CSRF token. Every
// change is one write of the store, with its audit record.
class GuildAdminPages {
public:
    // `publicUrl`: the site's address, which the links it makes begin with.
    GuildAdminPages(SiteStore& store, const SitePages& pages, std::string publicUrl);

    // `GET /<site>/members[?done=…]`: the accounts and their roles, the registration policy and
    // the invite links still valid.
    void page(const std::string& site, const httplib::Request& req, httplib::Response& res,
              const PageVisit& visit) const;
    // `POST /<site>/members` (action and what it needs): role (user, role), registration
    // (policy), invite, revoke (invite: the key the page lists) and reset (user). A new invite
    // or reset link is shown once, on the page that answers; the others lead back to the page.
    void change(const std::string& site, const httplib::Request& req, httplib::Response& res,
                const PageVisit& visit) const;

private:
    struct NewLink {
        std::string labelKey, url;
    };
    void answer(const SiteGuild& guild, const httplib::Request& req, httplib::Response& res,
                const PageVisit& visit, const std::optional<NewLink>& link) const;
    // The text key of why the role change cannot be made, or "" once it is made.
    std::string changeRole(const SiteGuild& guild, const httplib::Request& req,
                           const PageVisit& visit) const;
    void refuse(const httplib::Request& req, httplib::Response& res, const PageVisit& visit,
                int status, const std::string& messageKey) const;

    SiteStore& store_;
    const SitePages& pages_;
    const std::string publicUrl_;
};

} // namespace dkpsite
