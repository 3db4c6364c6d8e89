#include "web/site_forms.h"

#include "ledger/points_rules.h"
#include "store/password_verifier.h"
#include "web/page_request.h"
#include "web/refusal_text.h"

namespace dkpsite {

namespace {

using kainjow::mustache::data;

// Longer names are no one's: the form says so before the password work is spent.
constexpr std::size_t kMaxUserNameBytes = 64;

// Where a form leads after it is done: the address it names when that is a page of this site,
// otherwise `fallback`.
std::string backAddress(const httplib::Request& req, const std::string& fallback) {
    const std::string back = localTarget(req.get_param_value("back"));
    return back == "/" ? fallback : back;
}

Origin webOrigin(const PageVisit& visit) {
    return Origin{visit.user, EntrySource::Web, visit.address, visit.nowMs};
}

} // namespace

SiteForms::SiteForms(SiteStore& store, LoginGate& logins, const SitePages& pages,
                     CookiePolicy cookies)
    : store_(store), logins_(logins), pages_(pages), cookies_(std::move(cookies)) {}

void SiteForms::answerLoginForm(const httplib::Request& req, httplib::Response& res,
                                const PageVisit& visit, int status,
                                const std::string& messageKey) const {
    data values;
    values.set("csrf", visit.formToken());
    values.set("back", localTarget(req.get_param_value("back")));
    values.set("name", trimmed(req.get_param_value("user")));
    if (!messageKey.empty())
        values.set("message", pages_.renderer().text(requestLanguage(req), messageKey));
    if (visit.signedIn())
        values.set("user", visit.user);
    pages_.answer(req, res, visit, "login", "", values);
    res.status = status;
}

void SiteForms::loginPage(const httplib::Request& req, httplib::Response& res,
                          const PageVisit& visit) const {
    // After a registration or a password reset, the page says what was done.
    const std::string done = req.get_param_value("done");
    answerLoginForm(req, res, visit, 200,
                    done == "registered" ? "register_done"
                    : done == "reset"    ? "reset_done"
                                         : "");
}

void SiteForms::login(const httplib::Request& req, httplib::Response& res,
                      const PageVisit& visit) const {
    const std::string name = trimmed(req.get_param_value("user"));
    const std::string password = req.get_param_value("password");
    if (name.empty() || password.empty() || name.size() > kMaxUserNameBytes ||
        password.size() > kMaxFormPasswordBytes)
        return answerLoginForm(req, res, visit, 400, "login_missing");
    const LoginResult result =
        logins_.attempt(name, clientPasswordDigest(password), visit.address, visit.nowMs);
    switch (result.kind) {
    case LoginResult::LoggedIn:
        if (!visit.sessionToken.empty())
            store_.logout(visit.sessionToken);
        res.set_header("Set-Cookie", cookies_.set(cookies_.sessionName(), result.token));
        res.set_redirect(backAddress(req, "/account"), 303);
        return;
    case LoginResult::Refused:
        return answerLoginForm(req, res, visit, 401, "login_refused");
    case LoginResult::Throttled:
    case LoginResult::Busy:
        res.set_header("Retry-After", std::to_string(result.retryAfterSeconds));
        return answerLoginForm(req, res, visit, result.kind == LoginResult::Busy ? 503 : 429,
                               result.kind == LoginResult::Busy ? "login_busy" : "login_throttled");
    }
}

void SiteForms::logout(const httplib::Request&, httplib::Response& res,
                       const PageVisit& visit) const {
    store_.logout(visit.sessionToken);
    res.set_header("Set-Cookie", cookies_.clear(cookies_.sessionName()));
    res.set_redirect("/", 303);
}

bool SiteForms::applyEventEdit(const StoredEvent& event, const std::string& edit,
                               const httplib::Request& req, const std::string& reason,
                               const Origin& origin) const {
    if (edit == "remove") {
        store_.removeEvent(event.id, reason, origin);
        return true;
    }
    if (edit == "describe") {
        store_.describeEvent(event.id, trimmed(req.get_param_value("name")),
                             trimmed(req.get_param_value("note")), reason, origin);
        return true;
    }
    // The other edits name a loot or a kill by its place in the raid.
    const auto index = numberParameter(req, "index");
    if (!index)
        return false;
    const auto place = static_cast<std::size_t>(*index);
    const std::string player = req.get_param_value("player");
    const auto value = numberParameter(req, "value");
    if (edit == "loot_cost" && value)
        store_.editLootCost(event.id, place, *value, reason, origin);
    else if (edit == "kill_points" && value)
        store_.editKillPoints(event.id, place, *value, reason, origin);
    else if (edit == "looter")
        store_.editLooter(event.id, place, player, reason, origin);
    else if (edit == "attendee_add")
        store_.addKillAttendee(event.id, place, player, reason, origin);
    else if (edit == "attendee_remove")
        store_.removeKillAttendee(event.id, place, player, reason, origin);
    else
        return false;
    return true;
}

void SiteForms::editEvent(const httplib::Request& req, httplib::Response& res,
                          const PageVisit& visit) const {
    const PageLanguage language = requestLanguage(req);
    const auto refuse = [&](int status, const std::string& message) {
        pages_.answerMessage(req, res, visit, status,
                             pages_.renderer().text(language, "edit_refused_title"), message);
    };
    const auto eventId = numberParameter(req, "eventid");
    const auto event = eventId ? store_.event(*eventId) : std::nullopt;
    if (!event)
        return refuse(404, pages_.renderer().text(language, "no_event"));
    const std::string edit = req.get_param_value("edit");
    const std::string reason = trimmed(req.get_param_value("reason"));
    if (reason.empty())
        return refuse(400, pages_.renderer().text(language, "edit_needs_reason"));
    try {
        if (!applyEventEdit(*event, edit, req, reason, webOrigin(visit)))
            return refuse(400, pages_.renderer().text(language, "edit_unreadable"));
    } catch (const LedgerError& error) {
        return refuse(400, refusalText(pages_.renderer(), language, error.refusal));
    }
    res.set_redirect(eventPageAddress(event->id, event->dkpId, event->guildId), 303);
}

} // namespace dkpsite
