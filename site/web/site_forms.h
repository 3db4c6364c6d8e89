#pragma once

#include "auth/login_gate.h"
#include "auth/session_cookie.h"
#include "store/site_store.h"
#include "web/site_pages.h"

#include <httplib.h>

namespace dkpsite {

// The pages' forms that change something: logging in and out, and an officer's edits of an
// event. The route table has checked each POST's CSRF token and the caller's role before a
// handler runs; the handlers check what the form names against the store.
class SiteForms {
public:
    SiteForms(SiteStore& store, LoginGate& logins, const SitePages& pages, CookiePolicy cookies);

    // `GET /login[?back=<address>][&done=registered|reset]`: the login form.
    void loginPage(const httplib::Request& req, httplib::Response& res,
                   const PageVisit& visit) const;
    // `POST /login` (user, password, back): the password is turned into the digest the client
    // sends, so one account serves both; throttled like the client's login. A login starts a
    // new session and ends the one the browser had.
    void login(const httplib::Request& req, httplib::Response& res, const PageVisit& visit) const;
    // `POST /logout`: ends the session and removes its cookie.
    void logout(const httplib::Request& req, httplib::Response& res, const PageVisit& visit) const;
    // `POST /event.do` (eventid, reason, edit and what it needs): an officer's change of an
    // event, written as ledger corrections with the reason. The edits: loot_cost and
    // kill_points (index, value), looter, attendee_add and attendee_remove (index, player),
    // describe (name, note) and remove.
    void editEvent(const httplib::Request& req, httplib::Response& res,
                   const PageVisit& visit) const;

private:
    // Applies one edit; false for an edit the request does not name whole.
    bool applyEventEdit(const StoredEvent& event, const std::string& edit,
                        const httplib::Request& req, const std::string& reason,
                        const Origin& origin) const;
    void answerLoginForm(const httplib::Request& req, httplib::Response& res,
                         const PageVisit& visit, int status, const std::string& messageKey) const;

    SiteStore& store_;
    LoginGate& logins_;
    const SitePages& pages_;
    const CookiePolicy cookies_;
};

} // namespace dkpsite
