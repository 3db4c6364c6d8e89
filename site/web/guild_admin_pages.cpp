#include "web/guild_admin_pages.h"

#include "web/member_view.h"
#include "web/page_request.h"

#include <algorithm>

namespace dkpsite {

namespace {

using kainjow::mustache::data;

constexpr const char* kGuildRoles[] = {"member", "officer", "admin"};
constexpr RegistrationPolicy kPolicies[] = {RegistrationPolicy::Closed, RegistrationPolicy::Invite,
                                            RegistrationPolicy::Open};

data list() {
    return data(data::type::list);
}

Origin webOrigin(const PageVisit& visit) {
    return Origin{visit.user, EntrySource::Web, visit.address, visit.nowMs};
}

std::string withoutTrailingSlash(std::string url) {
    while (!url.empty() && url.back() == '/')
        url.pop_back();
    return url;
}

} // namespace

GuildAdminPages::GuildAdminPages(SiteStore& store, const SitePages& pages, std::string publicUrl)
    : store_(store), pages_(pages), publicUrl_(withoutTrailingSlash(std::move(publicUrl))) {}

void GuildAdminPages::refuse(const httplib::Request& req, httplib::Response& res,
                             const PageVisit& visit, int status,
                             const std::string& messageKey) const {
    const PageLanguage language = requestLanguage(req);
    pages_.answerMessage(req, res, visit, status,
                         pages_.renderer().text(language, "edit_refused_title"),
                         pages_.renderer().text(language, messageKey));
}

void GuildAdminPages::answer(const SiteGuild& guild, const httplib::Request& req,
                             httplib::Response& res, const PageVisit& visit,
                             const std::optional<NewLink>& link) const {
    const PageLanguage language = requestLanguage(req);
    const auto text = [&](const std::string& key) { return pages_.renderer().text(language, key); };
    data values;
    values.set("site", guild.site);
    values.set("guild_id", guild.guildId);
    values.set("csrf", visit.formToken());
    const std::string done = req.get_param_value("done");
    if (done == "role" || done == "registration" || done == "revoked")
        values.set("notice", text("done_" + done));
    if (link) {
        data shown;
        shown.set("label", text(link->labelKey));
        shown.set("url", link->url);
        values.set("new_link", shown);
    }

    data members = list();
    for (const GuildMembership& membership : store_.members(guild.rowId)) {
        data member;
        member.set("name", membership.user);
        data roles = list();
        for (const char* role : kGuildRoles) {
            data choice;
            choice.set("value", std::string(role));
            choice.set("label", text(std::string("role_") + role));
            choice.set("selected", membership.role == role);
            roles.push_back(choice);
        }
        member.set("roles", roles);
        members.push_back(member);
    }
    values.set("members", members);

    data policies = list();
    for (const RegistrationPolicy policy : kPolicies) {
        data choice;
        choice.set("value", std::string(registrationPolicyName(policy)));
        choice.set("label", text(std::string("registration_") + registrationPolicyName(policy)));
        choice.set("selected", guild.registration == policy);
        policies.push_back(choice);
    }
    values.set("policies", policies);
    if (guild.registration != RegistrationPolicy::Invite)
        values.set("invite_note", text("invite_needs_policy"));

    data invites = list();
    for (const ListedInvite& listed : store_.invites(guild.rowId, visit.nowMs)) {
        data invite;
        invite.set("key", listed.key);
        invite.set("label", listed.key.substr(0, kInviteLabelLength));
        invite.set("created_by", listed.createdBy);
        invite.set("created", ledgerTimeText(listed.createdMs));
        invite.set("expires", ledgerTimeText(listed.expiresMs));
        invites.push_back(invite);
    }
    values.set("invites", invites);
    pages_.answer(req, res, visit, "members", "", values);
}

void GuildAdminPages::page(const std::string& site, const httplib::Request& req,
                           httplib::Response& res, const PageVisit& visit) const {
    const auto guild = store_.guildBySite(site);
    if (!guild)
        return refuse(req, res, visit, 404, "no_guild");
    answer(*guild, req, res, visit, std::nullopt);
}

std::string GuildAdminPages::changeRole(const SiteGuild& guild, const httplib::Request& req,
                                        const PageVisit& visit) const {
    const std::string role = req.get_param_value("role");
    if (std::find(std::begin(kGuildRoles), std::end(kGuildRoles), role) == std::end(kGuildRoles))
        return "edit_unreadable";
    const auto user = store_.findUser(req.get_param_value("user"));
    const auto before = user ? store_.memberRole(*user, guild.rowId) : std::nullopt;
    if (!before)
        return "member_not_in_guild";
    // Otherwise only the site owner could run the guild again.
    const auto members = store_.members(guild.rowId);
    const auto admins = std::count_if(members.begin(), members.end(),
                                      [](const auto& member) { return member.role == "admin"; });
    if (*before == "admin" && role != "admin" && admins <= 1)
        return "members_last_admin";
    store_.setMemberRole(*user, guild.rowId, role, webOrigin(visit));
    return "";
}

void GuildAdminPages::change(const std::string& site, const httplib::Request& req,
                             httplib::Response& res, const PageVisit& visit) const {
    const auto guild = store_.guildBySite(site);
    if (!guild)
        return refuse(req, res, visit, 404, "no_guild");
    const std::string action = req.get_param_value("action");
    const std::string back = "/" + guild->site + "/members?done=";
    if (action == "role") {
        const std::string problem = changeRole(*guild, req, visit);
        if (!problem.empty())
            return refuse(req, res, visit, 400, problem);
        return res.set_redirect(back + "role", 303);
    }
    if (action == "registration") {
        const auto policy = registrationPolicyNamed(req.get_param_value("policy"));
        if (!policy)
            return refuse(req, res, visit, 400, "edit_unreadable");
        store_.setRegistration(guild->rowId, *policy, webOrigin(visit));
        return res.set_redirect(back + "registration", 303);
    }
    if (action == "revoke") {
        if (!store_.revokeInvite(guild->rowId, req.get_param_value("invite"), webOrigin(visit)))
            return refuse(req, res, visit, 404, "invite_unknown");
        return res.set_redirect(back + "revoked", 303);
    }
    if (action == "invite") {
        const std::string token = store_.createInvite(guild->rowId, webOrigin(visit));
        return answer(*guild, req, res, visit,
                      NewLink{"invite_created", publicUrl_ + "/register?invite=" + token});
    }
    if (action == "reset") {
        const std::string user = req.get_param_value("user");
        const auto issuer = store_.account(visit.sessionToken, visit.nowMs);
        if (!issuer || !store_.memberRole(store_.findUser(user).value_or(0), guild->rowId) ||
            !store_.mayIssuePasswordReset(*issuer, user))
            return refuse(req, res, visit, 403, "reset_not_allowed");
        const auto token = store_.issuePasswordReset(user, webOrigin(visit), guild->rowId);
        if (!token)
            return refuse(req, res, visit, 404, "member_not_in_guild");
        return answer(*guild, req, res, visit,
                      NewLink{"reset_created", publicUrl_ + "/GetPasswordPage.do?token=" + *token});
    }
    refuse(req, res, visit, 400, "edit_unreadable");
}

} // namespace dkpsite
