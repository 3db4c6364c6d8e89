// Accounts on both engines: registration by each guild policy, invites and reset links that
// expire or serve once, and memberships changed with their audit records.
#include "store/site_store.h"
#include "test_databases.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace dkpsite {
namespace {

using dkpsite_testing::TestDatabase;

constexpr int kQuickIterations = 1000;
constexpr std::int64_t kNow = 1'700'000'000'000;

Origin webOrigin(const std::string& who, std::int64_t atMs) {
    return {who, EntrySource::Web, "198.51.100.7", atMs};
}

class SiteAccounts : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        store_ = std::make_unique<SiteStore>(database_.target(), kQuickIterations);
        admin_ = store_->addUser("Admin", "admin digest");
        guild_ = store_->addGuild("Guild", "guild", kNow);
        other_ = store_->addGuild("Other", "other", kNow);
        store_->addMembership(admin_, guild_, true, "admin");
    }

    Registration join(const std::string& site, const std::string& name,
                      const std::string& invite = "", std::int64_t atMs = kNow) {
        return store_->registerAccount(site, name, name + " digest", invite, webOrigin(name, atMs));
    }

    std::vector<std::string> auditActions(std::int64_t guild) {
        std::vector<std::string> actions;
        for (const AuditRecord& record : store_->audit(guild))
            actions.push_back(record.action + " " + record.subject + ": " + record.before + " -> " +
                              record.after);
        return actions;
    }

    TestDatabase database_{GetParam()};
    std::unique_ptr<SiteStore> store_;
    std::int64_t admin_ = 0, guild_ = 0, other_ = 0;
};

TEST_P(SiteAccounts, RegistrationFollowsEachGuildsPolicy) {
    EXPECT_EQ(store_->guildByRowId(guild_)->registration, RegistrationPolicy::Closed);
    EXPECT_EQ(join("guild", "first"), Registration::Closed);
    EXPECT_EQ(join("nowhere", "first"), Registration::UnknownGuild);

    // By invite: only a valid invite of this guild, until it expires, for anyone who has it.
    store_->setRegistration(guild_, RegistrationPolicy::Invite, webOrigin("admin", kNow));
    const std::string invite = store_->createInvite(guild_, webOrigin("admin", kNow));
    const std::string otherInvite = store_->createInvite(other_, webOrigin("admin", kNow));
    EXPECT_EQ(store_->inviteGuild(invite, kNow)->site, "guild");
    EXPECT_EQ(join("guild", "first"), Registration::BadInvite);
    EXPECT_EQ(join("guild", "first", otherInvite), Registration::BadInvite);
    EXPECT_EQ(join("guild", "first", invite), Registration::Registered);
    EXPECT_EQ(join("guild", "Second", invite, kNow + kInviteLifetimeMs - 1),
              Registration::Registered);
    EXPECT_EQ(join("guild", "third", invite, kNow + kInviteLifetimeMs), Registration::BadInvite);
    EXPECT_FALSE(store_->inviteGuild(invite, kNow + kInviteLifetimeMs));
    EXPECT_EQ(join("guild", "FIRST", invite), Registration::NameTaken);
    EXPECT_EQ(join("guild", "", invite), Registration::BadName);
    EXPECT_EQ(join("guild", std::string(kUserNameMaxBytes + 1, 'a'), invite),
              Registration::BadName);
    EXPECT_EQ(join("guild", "tab\tname", invite), Registration::BadName);

    // Closing the guild makes its invites useless; opening it needs none.
    store_->setRegistration(guild_, RegistrationPolicy::Closed, webOrigin("admin", kNow));
    EXPECT_EQ(join("guild", "third", invite), Registration::Closed);
    store_->setRegistration(guild_, RegistrationPolicy::Open, webOrigin("admin", kNow));
    EXPECT_EQ(join("guild", "third"), Registration::Registered);

    // The new accounts log in, as members of the guild and of no other.
    const std::string token = store_->login("second", "Second digest", kNow).value();
    const SiteAccount account = store_->account(token, kNow).value();
    EXPECT_EQ(account.roles, (std::map<std::string, std::string>{{"Guild", "member"}}));
    EXPECT_EQ(account.defaultGuild->site, "guild");
    std::vector<std::string> names;
    for (const GuildMembership& member : store_->members(guild_))
        names.push_back(member.user + " " + member.role);
    EXPECT_EQ(names, (std::vector<std::string>{"admin admin", "first member", "second member",
                                               "third member"}));
    const auto audit = auditActions(guild_);
    EXPECT_NE(std::find(audit.begin(), audit.end(), "set registration guild: closed -> invite"),
              audit.end());
    EXPECT_EQ(std::count_if(audit.begin(), audit.end(),
                            [](const std::string& a) { return a.rfind("register ", 0) == 0; }),
              3);
}

TEST_P(SiteAccounts, ResetLinkServesOnceWithinItsLifetimeAndEndsSessions) {
    store_->setRegistration(guild_, RegistrationPolicy::Open);
    ASSERT_EQ(join("guild", "member"), Registration::Registered);

    const std::string expired =
        store_->issuePasswordReset("member", webOrigin("admin", kNow)).value();
    const std::int64_t later = kNow + kPasswordResetLifetimeMs;
    EXPECT_FALSE(store_->passwordResetUser(expired, later));
    EXPECT_FALSE(store_->resetPassword(expired, "new digest", webOrigin("member", later)));

    const std::string first =
        store_->issuePasswordReset("member", webOrigin("admin", later)).value();
    const std::string second =
        store_->issuePasswordReset("member", webOrigin("admin", later)).value();
    EXPECT_FALSE(store_->passwordResetUser(first, later)) << "a newer link replaces it";
    EXPECT_EQ(store_->passwordResetUser(second, later), "member");
    const std::string session = store_->login("member", "member digest", later).value();
    EXPECT_TRUE(store_->resetPassword(second, "new digest", webOrigin("member", later)));
    EXPECT_FALSE(store_->resetPassword(second, "third digest", webOrigin("member", later)));
    EXPECT_FALSE(store_->account(session, later)) << "the reset ended the session";
    EXPECT_FALSE(store_->login("member", "member digest", later));
    EXPECT_TRUE(store_->login("member", "new digest", later));
    EXPECT_FALSE(store_->issuePasswordReset("nobody"));
}

TEST_P(SiteAccounts, OnlyTheOwnerOrAnAdminOfEveryGuildOfTheUserIssuesResets) {
    const std::int64_t owner = store_->addUser("owner", "d", true);
    const std::int64_t both = store_->addUser("both", "d");
    const std::int64_t member = store_->addUser("member", "d");
    store_->addUser("loner", "d");
    store_->addMembership(member, guild_, true, "member");
    store_->addMembership(both, guild_, true, "member");
    store_->addMembership(both, other_, false, "admin");
    store_->addMembership(owner, guild_, false, "member");
    const SiteAccount admin =
        store_->account(store_->login("admin", "admin digest", kNow).value(), kNow).value();
    const SiteAccount siteOwner =
        store_->account(store_->login("owner", "d", kNow).value(), kNow).value();
    EXPECT_TRUE(store_->mayIssuePasswordReset(admin, "member"));
    EXPECT_FALSE(store_->mayIssuePasswordReset(admin, "both")) << "an admin of another guild";
    EXPECT_FALSE(store_->mayIssuePasswordReset(admin, "owner"));
    EXPECT_FALSE(store_->mayIssuePasswordReset(admin, "loner"));
    EXPECT_FALSE(store_->mayIssuePasswordReset(admin, "nobody"));
    for (const char* user : {"member", "both", "admin", "loner"})
        EXPECT_TRUE(store_->mayIssuePasswordReset(siteOwner, user)) << user;
}

TEST_P(SiteAccounts, MembershipChangesAreAudited) {
    const std::int64_t user = store_->addUser("raider", "d");
    store_->addMembership(user, guild_, false, "member");
    store_->setMemberRole(user, guild_, "officer");
    EXPECT_EQ(store_->memberRole(user, guild_), "officer");
    EXPECT_THROW(store_->setMemberRole(user, guild_, "king"), std::invalid_argument);
    EXPECT_THROW(store_->setMemberRole(user, other_, "member"), std::invalid_argument);
    EXPECT_THROW(store_->addMembership(user, other_, false, "king"), std::invalid_argument);
    EXPECT_TRUE(store_->removeMember(user, guild_));
    EXPECT_FALSE(store_->removeMember(user, guild_));
    EXPECT_FALSE(store_->memberRole(user, guild_));
    const auto audit = auditActions(guild_);
    for (const char* expected :
         {"add member raider:  -> member", "change role raider: member -> officer",
          "remove member raider: officer -> "})
        EXPECT_NE(std::find(audit.begin(), audit.end(), expected), audit.end()) << expected;
}

TEST_P(SiteAccounts, EachInviteIsListedUntilItExpiresAndRevokedAlone) {
    store_->setRegistration(guild_, RegistrationPolicy::Invite);
    const std::string first = store_->createInvite(guild_, webOrigin("admin", kNow));
    const std::string second = store_->createInvite(guild_, webOrigin("admin", kNow + 1));
    store_->createInvite(other_, webOrigin("admin", kNow));
    std::vector<ListedInvite> listed = store_->invites(guild_, kNow + 1);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].createdMs, kNow + 1) << "newest first";
    EXPECT_EQ(listed[1].createdBy, "admin");
    EXPECT_EQ(listed[1].expiresMs, kNow + kInviteLifetimeMs);
    EXPECT_TRUE(store_->invites(guild_, kNow + kInviteLifetimeMs + 1).empty());

    // Only the guild's own admins' page names its invites; another guild's revokes nothing.
    const std::string secondKey = listed[0].key;
    EXPECT_FALSE(store_->revokeInvite(other_, secondKey, webOrigin("admin", kNow + 2)));
    EXPECT_TRUE(store_->revokeInvite(guild_, secondKey, webOrigin("admin", kNow + 2)));
    EXPECT_FALSE(store_->revokeInvite(guild_, secondKey, webOrigin("admin", kNow + 2)));
    EXPECT_EQ(join("guild", "late", second, kNow + 3), Registration::BadInvite);
    EXPECT_EQ(join("guild", "early", first, kNow + 3), Registration::Registered);
    listed = store_->invites(guild_, kNow + 3);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_NE(listed[0].key, secondKey);

    const std::string label = "invite " + secondKey.substr(0, kInviteLabelLength);
    const auto audit = auditActions(guild_);
    EXPECT_EQ(std::count_if(audit.begin(), audit.end(),
                            [&](const std::string& a) {
                                return a.rfind("create invite guild:  -> " + label, 0) == 0 ||
                                       a == "revoke invite guild: " + label + " -> ";
                            }),
              2);
}

INSTANTIATE_TEST_SUITE_P(Engines, SiteAccounts,
                         ::testing::Values(Engine::Sqlite, Engine::Postgresql),
                         dkpsite_testing::engineName);

} // namespace
} // namespace dkpsite
