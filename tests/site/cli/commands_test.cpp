// The administration commands as an operator runs them, from a first start to a backup.
#include "cli/commands.h"
#include "demo/demo_data.h"
#include "store/guild_archive.h"
#include "store/site_store.h"
#include "test_databases.h"
#include "testsupport/temporary_folder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace dkpsite {
namespace {

using dkpsite_testing::TestDatabase;

struct CommandRun {
    int status = -1;
    std::string out, err;
};

CommandRun run(const std::vector<std::string>& arguments, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    CommandRun result;
    result.status = runCommand(arguments, in, out, err).value_or(-1);
    result.out = out.str();
    result.err = err.str();
    return result;
}

TEST(SiteCommands, AFirstStartFromAnEmptyDatabase) {
    const testsupport::TemporaryFolder folder;
    const std::string db = folder.path("site.db").string();
    EXPECT_EQ(run({"init", "--db", db}).status, 0);
    EXPECT_EQ(run({"user", "add", "Owner", "--db", db, "--role", "owner"}, "s3cret\n").status, 0);
    EXPECT_EQ(run({"user", "add", "officer", "--db", db}, "密码\n").status, 0);
    EXPECT_EQ(run({"guild", "add", "晨曦之光", "--site", "dawn", "--db", db, "--admin", "officer"})
                  .status,
              0);
    {
        SiteStore store(db);
        const auto token = store.login("officer", clientPasswordDigest("密码"), 1);
        ASSERT_TRUE(token);
        const auto account = store.account(*token, 2);
        ASSERT_TRUE(account && account->defaultGuild);
        EXPECT_EQ(account->defaultGuild->guildId, "晨曦之光");
        ASSERT_EQ(account->defaultGuild->systems.size(), 1u);
        EXPECT_EQ(account->defaultGuild->systems[0].name, "DKP");
    }
    // A new password, from standard input only, ends the sessions of the old one.
    EXPECT_EQ(run({"user", "passwd", "OFFICER", "--db", db}, "new one\r\n").status, 0);
    {
        SiteStore store(db);
        EXPECT_FALSE(store.login("officer", clientPasswordDigest("密码"), 3));
        EXPECT_TRUE(store.login("officer", clientPasswordDigest("new one"), 3));
    }
    // Members without --demo: a raider joins as member and becomes officer; a reset link
    // sets a forgotten password once.
    EXPECT_EQ(run({"user", "add", "raider", "--db", db}, "pw\n").status, 0);
    EXPECT_EQ(run({"member", "add", "Raider", "--guild", "dawn", "--db", db}).status, 0);
    const CommandRun promoted =
        run({"member", "role", "raider", "--guild", "dawn", "--role", "officer", "--db", db});
    EXPECT_EQ(promoted.out, "raider is officer of /dawn (was member)\n") << promoted.err;
    const CommandRun link = run({"user", "reset-link", "raider", "--db", db});
    ASSERT_EQ(link.status, 0) << link.err;
    const std::string prefix = "/GetPasswordPage.do?token=";
    ASSERT_EQ(link.out.rfind(prefix, 0), 0u) << link.out;
    const std::string resetToken =
        link.out.substr(prefix.size(), link.out.find('\n') - prefix.size());
    EXPECT_EQ(run({"guild", "registration", "dawn", "invite", "--db", db}).status, 0);
    const CommandRun invite = run({"guild", "invite", "dawn", "--db", db});
    ASSERT_EQ(invite.out.rfind("/register?invite=", 0), 0u) << invite.out << invite.err;
    {
        SiteStore store(db);
        const Origin origin = commandLineOrigin();
        EXPECT_TRUE(store.resetPassword(resetToken, clientPasswordDigest("new"), origin));
        EXPECT_FALSE(store.resetPassword(resetToken, clientPasswordDigest("newer"), origin));
        const auto token = store.login("raider", clientPasswordDigest("new"), origin.atMs);
        ASSERT_TRUE(token);
        EXPECT_EQ(store.account(*token, origin.atMs)->roles.at("晨曦之光"), "officer");
        EXPECT_EQ(store.guildBySite("dawn")->registration, RegistrationPolicy::Invite);
        const std::string inviteToken = invite.out.substr(17, invite.out.find('\n') - 17);
        EXPECT_EQ(store.inviteGuild(inviteToken, origin.atMs)->site, "dawn");
    }
    EXPECT_EQ(run({"member", "remove", "raider", "--guild", "dawn", "--db", db}).status, 0);

    const CommandRun checked = run({"check", "--db", db});
    EXPECT_EQ(checked.status, 0) << checked.err;

    // A backup is a database of its own with the same standings; it never overwrites.
    const std::string copy = folder.path("copy.db").string();
    EXPECT_EQ(run({"backup", "--db", db, copy}).status, 0);
    EXPECT_TRUE(SiteStore(copy).guildBySite("dawn"));
    const CommandRun again = run({"backup", "--db", db, copy});
    EXPECT_EQ(again.status, 2);
    EXPECT_NE(again.err.find("never overwrites"), std::string::npos) << again.err;
}

// A guild archive file of one account, `name`, and one DKP system.
std::string archiveFile(const testsupport::TemporaryFolder& folder, const std::string& name) {
    const nlohmann::json archive = {{"format", kArchiveFormat},
                                    {"version", kArchiveVersion},
                                    {"guild",
                                     {{"guildId", "Moved"},
                                      {"site", "moved"},
                                      {"createdMs", 1},
                                      {"standingsPublic", true},
                                      {"registration", "closed"}}},
                                    {"dkpSystems", {{{"name", "DKP"}, {"archivedMs", 0}}}},
                                    {"members",
                                     {{{"name", name},
                                       {"passwordHash", "00"},
                                       {"salt", "00"},
                                       {"default", true},
                                       {"role", "admin"}}}},
                                    {"characters", nlohmann::json::array()},
                                    {"events", nlohmann::json::array()},
                                    {"ledger", nlohmann::json::array()},
                                    {"audit", nlohmann::json::array()}};
    const std::string path =
        folder.path(std::to_string(std::hash<std::string>()(name)) + ".json").string();
    std::ofstream(path) << archive.dump();
    return path;
}

TEST(SiteCommands, RefusalsNameTheirReason) {
    const testsupport::TemporaryFolder folder;
    const std::string db = folder.path("site.db").string();
    run({"user", "add", "officer", "--db", db}, "pw\n");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"user", "add", "someone", "--db", db}, "no password on standard input"},
        {{"user", "add", "officer", "--db", db}, "already a user officer"},
        {{"user", "passwd", "nobody", "--db", db}, "no user nobody"},
        {{"guild", "add", "G", "--site", "api", "--db", db}, "one of the site's own addresses"},
        {{"guild", "add", "G", "--site", "a b", "--db", db}, "letters, digits"},
        {{"guild", "add", "G", "--db", db}, "missing --site"},
        {{"guild", "add", "G", "--site", "g", "--db", db, "--admin", "x"}, "no user x"},
        {{"export", "--db", db, "--guild", "none"}, "no guild with the site name none"},
        {{"init", "--db", db, "--colour", "red"}, "unknown option --colour"},
        {{"user", "reset-link", "nobody", "--db", db}, "no user nobody"},
        {{"member", "add", "officer", "--guild", "none", "--db", db}, "no guild with the site"},
        {{"member", "add", "nobody", "--guild", "none", "--db", db}, "no user nobody"},
        {{"guild", "registration", "none", "sometimes", "--db", db}, "closed, invite or open"},
        // The names web registration refuses, refused before a password is read.
        {{"user", "add", " officer", "--db", db}, "cannot begin or end with a space"},
        {{"user", "add", "tab\tname", "--db", db}, "control characters"},
        {{"user", "add", std::string(65, 'n'), "--db", db}, "at most 64 bytes"},
        // An archive's accounts follow the same rule, and are kept lower-cased.
        {{"import", "--db", db, archiveFile(folder, "mover ")},
         "the archive's account \"mover \" cannot be a user name: a user name cannot begin or "
         "end with a space"},
        {{"import", "--db", db, archiveFile(folder, "mo\x7fver")}, "control characters"},
        {{"import", "--db", db, archiveFile(folder, "Mover")},
         "the archive's account \"Mover\" cannot be a user name: a user name is kept in lower "
         "case"},
    };
    for (const auto& [arguments, message] : cases) {
        const CommandRun result = run(arguments, arguments[1] == "passwd" ? "pw\n" : "");
        EXPECT_NE(result.status, 0) << arguments[0];
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    }
    // Nothing of a refused archive was written: the same guild with a good name imports.
    const CommandRun imported = run({"import", "--db", db, archiveFile(folder, "mover")});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_NE(run({"--help"}).out.find("guild add NAME --site SITE"), std::string::npos);
    EXPECT_FALSE(runCommand({"--port", "0"}, std::cin, std::cout, std::cerr)); // the server's
}

TEST(SiteCommands, CheckExitsNonZeroNamingTheDifference) {
    const testsupport::TemporaryFolder folder;
    const std::string db = folder.path("site.db").string();
    {
        SiteStore store(db, 1000);
        seedDemoData(store, 1);
        Database::Connection connection(store.database());
        connection.sql() << "UPDATE standings SET spent = spent + 1 WHERE character_id = "
                            "(SELECT id FROM characters WHERE name = 'Aldric')";
    }
    const CommandRun result = run({"check", "--db", db});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Aldric: stored earned"), std::string::npos) << result.err;
}

// Export, import into an empty database (of the other engine, too), export again: the same
// bytes, after every kind of change the ledger knows.
class GuildArchive : public ::testing::TestWithParam<Engine> {};

TEST_P(GuildArchive, ExportImportExportGivesTheSameBytes) {
    const testsupport::TemporaryFolder folder;
    std::string archive;
    {
        SiteStore store(folder.path("first.db").string(), 1000);
        seedDemoData(store, 1);
        const SiteGuild guild = store.guildBySite("adpt_dkp").value();
        const std::int64_t system = guild.systems[0].id;
        const Origin officer{"demo", EntrySource::Web, "192.0.2.9", 100};
        store.adjust(system, "Aldric", -15, "late", officer);
        store.linkAlt(guild.rowId, "冰霜法师", "Aldric", officer);
        store.correct(store.ledger(system).front().id, "not there", officer);
        store.decay(system, {10, 5}, officer);
        store.editLootCost(1, 0, 70, "price list", officer);
        store.removeEvent(2, "wrong night", officer);
        store.setDkpSystemArchived(store.addDkpSystem(guild.rowId, "Old", officer), true, officer);
        store.setCharacterActive(guild.rowId, "Aldric", false, officer);
        archive = exportGuild(store.database(), "adpt_dkp");
    }
    TestDatabase target(GetParam());
    SiteStore imported(target.target(), 1000);
    EXPECT_EQ(importGuild(imported.database(), archive, commandLineOrigin()), "adpt_dkp");
    EXPECT_EQ(exportGuild(imported.database(), "adpt_dkp"), archive);
    EXPECT_EQ(imported.check(), std::vector<std::string>());
    EXPECT_TRUE(imported.login("demo", clientPasswordDigest("demo"), 1));
    EXPECT_THROW(importGuild(imported.database(), archive, commandLineOrigin()), ArchiveError);
    std::string otherVersion = archive;
    otherVersion.replace(otherVersion.find("\"version\": 2"), 12, "\"version\": 9");
    EXPECT_THROW(importGuild(imported.database(), otherVersion, commandLineOrigin()), ArchiveError);
}

INSTANTIATE_TEST_SUITE_P(Engines, GuildArchive,
                         ::testing::Values(Engine::Sqlite, Engine::Postgresql),
                         dkpsite_testing::engineName);

} // namespace
} // namespace dkpsite
