#include "web/account_pages.h"

#include "store/password_verifier.h"
#include "web/new_password.h"
#include "web/page_request.h"

namespace dkpsite {

namespace {

using kainjow::mustache::data;

data list() {
    return data(data::type::list);
}

// The status and text of a request the gate turned away, with its Retry-After; nothing when
// the gate let it through.
template <typename Outcome>
std::optional<std::pair<int, std::string>> turnedAway(const GatedResult<Outcome>& result,
                                                      httplib::Response& res) {
    if (result.kind == GatedResult<Outcome>::Done)
        return std::nullopt;
    res.set_header("Retry-After", std::to_string(result.retryAfterSeconds));
    if (result.kind == GatedResult<Outcome>::Busy)
        return std::make_pair(503, std::string("login_busy"));
    return std::make_pair(429, std::string("login_throttled"));
}

} // namespace

AccountPages::AccountPages(SiteStore& store, LoginGate& logins, const SitePages& pages,
                           CookiePolicy cookies)
    : store_(store), logins_(logins), pages_(pages), cookies_(std::move(cookies)) {}

void AccountPages::answer(const httplib::Request& req, httplib::Response& res,
                          const PageVisit& visit, const std::string& name, int status,
                          const std::string& messageKey, data values) const {
    if (!messageKey.empty())
        values.set("message", pages_.renderer().text(requestLanguage(req), messageKey));
    pages_.answer(req, res, visit, name, "", values);
    res.status = status;
}

void AccountPages::answerAccount(const httplib::Request& req, httplib::Response& res,
                                 const PageVisit& visit, int status,
                                 const std::string& messageKey) const {
    data values;
    if (const auto account = store_.account(visit.sessionToken, visit.nowMs)) {
        values.set("user", account->user);
        data guilds = list();
        for (const SiteGuild& guild : account->guilds) {
            data row;
            row.set("guild_id", guild.guildId);
            row.set("site", guild.site);
            guilds.push_back(row);
        }
        values.set("guilds", guilds);
        values.set("csrf", visit.formToken());
        if (req.get_param_value("done") == "password")
            values.set("notice", pages_.renderer().text(requestLanguage(req), "password_changed"));
    }
    answer(req, res, visit, "account", status, messageKey, values);
}

void AccountPages::account(const httplib::Request& req, httplib::Response& res,
                           const PageVisit& visit) const {
    answerAccount(req, res, visit, 200, "");
}

void AccountPages::changePassword(const httplib::Request& req, httplib::Response& res,
                                  const PageVisit& visit) const {
    const std::string old = req.get_param_value("old");
    const std::string password = req.get_param_value("password");
    if (old.empty() || old.size() > kMaxFormPasswordBytes)
        return answerAccount(req, res, visit, 400, "password_old_missing");
    const std::string problem = newPasswordProblem(password, req.get_param_value("password_again"));
    if (!problem.empty())
        return answerAccount(req, res, visit, 400, problem);
    const auto result =
        logins_.changePassword(visit.sessionToken, clientPasswordDigest(old),
                               clientPasswordDigest(password), visit.address, visit.nowMs);
    if (const auto away = turnedAway(result, res))
        return answerAccount(req, res, visit, away->first, away->second);
    switch (result.outcome.outcome) {
    case PasswordChange::Changed:
        res.set_header("Set-Cookie", cookies_.set(cookies_.sessionName(), result.outcome.token));
        res.set_redirect("/account?done=password", 303);
        return;
    case PasswordChange::WrongPassword:
        return answerAccount(req, res, visit, 403, "password_old_wrong");
    case PasswordChange::NotLoggedIn:
        return answerAccount(req, res, visit, 401, "");
    }
}

void AccountPages::answerRegistration(const httplib::Request& req, httplib::Response& res,
                                      const PageVisit& visit, int status,
                                      const std::string& messageKey,
                                      const std::optional<SiteGuild>& guild,
                                      const std::string& invite) const {
    data values;
    std::string said = messageKey;
    if (guild) {
        values.set("guild_id", guild->guildId);
        values.set("site", guild->site);
        const bool mayRegister =
            guild->registration == RegistrationPolicy::Open ||
            (guild->registration == RegistrationPolicy::Invite && !invite.empty());
        if (mayRegister) {
            data form;
            form.set("csrf", visit.formToken());
            form.set("site", guild->site);
            form.set("invite", invite);
            form.set("name", trimmed(req.get_param_value("user")));
            values.set("form", form);
        } else if (said.empty()) {
            said = guild->registration == RegistrationPolicy::Closed ? "register_closed"
                                                                     : "register_needs_invite";
        }
    }
    answer(req, res, visit, "register", status, said, values);
}

void AccountPages::registerPage(const httplib::Request& req, httplib::Response& res,
                                const PageVisit& visit) const {
    const std::string invite = req.get_param_value("invite");
    if (!invite.empty()) {
        const auto guild = store_.inviteGuild(invite, visit.nowMs);
        if (!guild)
            return answerRegistration(req, res, visit, 404, "register_bad_invite", std::nullopt,
                                      "");
        return answerRegistration(req, res, visit, 200, "", guild, invite);
    }
    const std::string site = req.get_param_value("site");
    if (site.empty())
        return answerRegistration(req, res, visit, 200, "", std::nullopt, "");
    const auto guild = store_.guildBySite(site);
    if (!guild)
        return answerRegistration(req, res, visit, 404, "no_guild", std::nullopt, "");
    answerRegistration(req, res, visit, 200, "", guild, "");
}

void AccountPages::registerAccount(const httplib::Request& req, httplib::Response& res,
                                   const PageVisit& visit) const {
    const std::string invite = req.get_param_value("invite");
    const auto guild = store_.guildBySite(req.get_param_value("site"));
    if (!guild)
        return answerRegistration(req, res, visit, 404, "no_guild", std::nullopt, "");
    const std::string name = trimmed(req.get_param_value("user"));
    if (!userNameProblem(lowerCase(name)).empty())
        return answerRegistration(req, res, visit, 400, "register_bad_name", guild, invite);
    const std::string password = req.get_param_value("password");
    const std::string problem = newPasswordProblem(password, req.get_param_value("password_again"));
    if (!problem.empty())
        return answerRegistration(req, res, visit, 400, problem, guild, invite);
    const auto result = logins_.registerAccount(
        guild->site, name, clientPasswordDigest(password), invite,
        Origin{lowerCase(name), EntrySource::Web, visit.address, visit.nowMs});
    if (const auto away = turnedAway(result, res))
        return answerRegistration(req, res, visit, away->first, away->second, guild, invite);
    switch (result.outcome) {
    case Registration::Registered:
        res.set_redirect("/login?done=registered", 303);
        return;
    case Registration::NameTaken:
        return answerRegistration(req, res, visit, 409, "register_name_taken", guild, invite);
    case Registration::BadName:
        return answerRegistration(req, res, visit, 400, "register_bad_name", guild, invite);
    case Registration::UnknownGuild:
        return answerRegistration(req, res, visit, 404, "no_guild", std::nullopt, "");
    case Registration::Closed:
        return answerRegistration(req, res, visit, 403, "register_closed", guild, "");
    case Registration::BadInvite:
        return answerRegistration(req, res, visit, 403, "register_bad_invite", guild, "");
    }
}

void AccountPages::answerReset(const httplib::Request& req, httplib::Response& res,
                               const PageVisit& visit, int status, const std::string& messageKey,
                               const std::string& token,
                               const std::optional<std::string>& user) const {
    data values;
    if (user) {
        data form;
        form.set("csrf", visit.formToken());
        form.set("token", token);
        form.set("user", *user);
        values.set("reset", form);
    } else {
        values.set("intro", true);
    }
    answer(req, res, visit, "password", status, messageKey, values);
}

void AccountPages::passwordRecovery(const httplib::Request& req, httplib::Response& res,
                                    const PageVisit& visit) const {
    const std::string token = req.get_param_value("token");
    if (token.empty())
        return answerReset(req, res, visit, 200, "", "", std::nullopt);
    const auto user = store_.passwordResetUser(token, visit.nowMs);
    answerReset(req, res, visit, user ? 200 : 404, user ? "" : "reset_link_dead", token, user);
}

void AccountPages::resetPassword(const httplib::Request& req, httplib::Response& res,
                                 const PageVisit& visit) const {
    const std::string token = req.get_param_value("token");
    const auto user = token.empty() ? std::nullopt : store_.passwordResetUser(token, visit.nowMs);
    if (!user)
        return answerReset(req, res, visit, 404, "reset_link_dead", "", std::nullopt);
    const std::string password = req.get_param_value("password");
    const std::string problem = newPasswordProblem(password, req.get_param_value("password_again"));
    if (!problem.empty())
        return answerReset(req, res, visit, 400, problem, token, user);
    const auto result =
        logins_.resetPassword(token, clientPasswordDigest(password),
                              Origin{*user, EntrySource::Web, visit.address, visit.nowMs});
    if (const auto away = turnedAway(result, res))
        return answerReset(req, res, visit, away->first, away->second, token, user);
    if (!result.outcome)
        return answerReset(req, res, visit, 404, "reset_link_dead", "", std::nullopt);
    res.set_redirect("/login?done=reset", 303);
}

} // namespace dkpsite
