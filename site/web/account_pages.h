#pragma once

#include "auth/login_gate.h"
#include "auth/session_cookie.h"
#include "store/site_store.h"
#include "web/site_pages.h"

#include <httplib.h>
#include <string>

namespace dkpsite {

// The pages of one's own account: the account home with its password change, registration by
// the guild's policy, and setting a password through a reset link. Each form's password becomes
// the digest the client sends, so that the account serves the client too; the password work of
// each goes through the LoginGate, throttled like a login. The route table has checked each
// POST's CSRF token and, for the password change, that someone is signed in.
class AccountPages {
public:
    AccountPages(SiteStore& store, LoginGate& logins, const SitePages& pages, CookiePolicy cookies);

    // `GET /account[?done=password]`: the signed-in account, its guilds and the password form;
    // without a session it asks the reader to log in.
    void account(const httplib::Request& req, httplib::Response& res, const PageVisit& visit) const;
    // `POST /account/password` (old, password, password_again): every session of the account
    // ends, and this browser gets a new one.
    void changePassword(const httplib::Request& req, httplib::Response& res,
                        const PageVisit& visit) const;
    // `GET /register[?invite=<token> | ?site=<site name>]`: the form when the guild's policy
    // lets the reader register, otherwise what the policy is and how to join.
    void registerPage(const httplib::Request& req, httplib::Response& res,
                      const PageVisit& visit) const;
    // `POST /register` (site, invite, user, password, password_again): the new account joins
    // the guild as a member and logs in on the login page.
    void registerAccount(const httplib::Request& req, httplib::Response& res,
                         const PageVisit& visit) const;
    // `GET /GetPasswordPage.do[?token=…]` (the client's password-recovery link): how to get a
    // reset link; with the token of one, the form that sets the password.
    void passwordRecovery(const httplib::Request& req, httplib::Response& res,
                          const PageVisit& visit) const;
    // `POST /GetPasswordPage.do` (token, password, password_again): sets the password once.
    void resetPassword(const httplib::Request& req, httplib::Response& res,
                       const PageVisit& visit) const;

private:
    // The page of `name` with `status`, saying the text `messageKey` when there is one.
    void answer(const httplib::Request& req, httplib::Response& res, const PageVisit& visit,
                const std::string& name, int status, const std::string& messageKey,
                kainjow::mustache::data values) const;
    void answerAccount(const httplib::Request& req, httplib::Response& res, const PageVisit& visit,
                       int status, const std::string& messageKey) const;
    void answerRegistration(const httplib::Request& req, httplib::Response& res,
                            const PageVisit& visit, int status, const std::string& messageKey,
                            const std::optional<SiteGuild>& guild, const std::string& invite) const;
    void answerReset(const httplib::Request& req, httplib::Response& res, const PageVisit& visit,
                     int status, const std::string& messageKey, const std::string& token,
                     const std::optional<std::string>& user) const;

    SiteStore& store_;
    LoginGate& logins_;
    const SitePages& pages_;
    const CookiePolicy cookies_;
};

} // namespace dkpsite
