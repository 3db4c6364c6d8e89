#include "cli/commands.h"

#include "demo/demo_data.h"
#include "store/guild_archive.h"
#include "store/migrations.h"
#include "store/site_names.h"
#include "store/site_store.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

namespace dkpsite {

const char* const kSiteHelp =
    R"(usage: dkpsite [--port N] [--db DB] [--bind ADDRESS] [--demo] [--updates DIR] [--public-url URL]
       dkpsite COMMAND ...

Without a command, dkpsite serves the site (default: port 8080 on 127.0.0.1, database
dkpsite.db). --demo seeds the demo user "demo" (password "demo") and two guilds.

Commands:
  init --db DB                       create the database, or bring it up to date
  user add NAME --db DB [--role owner]
                                     add an account; its password is read from standard input
  user passwd NAME --db DB           change a password, read from standard input; ends the
                                     account's sessions
  user reset-link NAME --db DB       print a one-time link that sets the account's password
                                     (valid for a day)
  guild add NAME --site SITE --db DB [--admin USER] [--system NAME]
                                     add a guild, its address /SITE and one DKP system ("DKP"
                                     unless named); USER becomes its admin
  guild registration SITE closed|invite|open --db DB
                                     who may make an account in the guild: no one, holders of
                                     an invite link, or anyone
  guild invite SITE --db DB          print an invite link (valid for a week)
  member add USER --guild SITE --db DB [--role admin|officer|member]
  member role USER --guild SITE --role admin|officer|member --db DB
  member remove USER --guild SITE --db DB
                                     add a user to a guild (as a member unless named), change
                                     the user's role in it, or take the user out of it
  backup --db DB FILE                copy an SQLite database, consistent while the site runs
  check --db DB                      recompute every standing from the points ledger; exits 1,
                                     naming each difference, if any stored figure disagrees
  export --db DB --guild SITE        write a whole guild as JSON to standard output
  import --db DB FILE                add the guild of an export
  --help                             this text

DB is an SQLite file (made when missing) or a PostgreSQL URI, postgresql://USER@HOST/DATABASE.
)";

namespace {

struct CommandError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A command's words and its options (each "--name value").
struct CommandLine {
    std::vector<std::string> words;
    std::map<std::string, std::string> options;

    std::string option(const std::string& name) const {
        const auto found = options.find(name);
        if (found == options.end())
            throw CommandError("missing --" + name);
        return found->second;
    }
    std::string option(const std::string& name, const std::string& otherwise) const {
        const auto found = options.find(name);
        return found == options.end() ? otherwise : found->second;
    }
    std::string word(std::size_t at, const char* what) const {
        if (at >= words.size())
            throw CommandError("missing " + std::string(what));
        return words[at];
    }
    void expectWords(std::size_t count) const {
        if (words.size() > count)
            throw CommandError("unexpected argument " + words[count]);
    }
};

CommandLine readCommandLine(const std::vector<std::string>& arguments,
                            const std::vector<std::string>& known) {
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.rfind("--", 0) != 0) {
            line.words.push_back(argument);
            continue;
        }
        const std::string name = argument.substr(2);
        if (std::find(known.begin(), known.end(), name) == known.end())
            throw CommandError("unknown option " + argument);
        if (i + 1 >= arguments.size())
            throw CommandError("option " + argument + " needs a value");
        line.options[name] = arguments[++i];
    }
    return line;
}

// One line of standard input, without its line end; never empty.
std::string readPassword(std::istream& in) {
    std::string password;
    std::getline(in, password);
    while (!password.empty() && (password.back() == '\n' || password.back() == '\r'))
        password.pop_back();
    if (password.empty())
        throw CommandError("no password on standard input");
    return password;
}

int init(const CommandLine& line, std::ostream& out) {
    line.expectWords(1);
    SiteStore store(line.option("db"));
    Database::Connection connection(store.database());
    out << "database " << line.option("db") << " is at schema version " << schemaVersion(connection)
        << "\n";
    return 0;
}

int user(const CommandLine& line, std::istream& in, std::ostream& out) {
    const std::string action = line.word(1, "user add, passwd or reset-link");
    const std::string name = lowerCase(line.word(2, "the user's name"));
    line.expectWords(3);
    SiteStore store(line.option("db"));
    if (action == "add") {
        const std::string role = line.option("role", "user");
        if (role != "user" && role != "owner")
            throw CommandError("a site role is owner (or none)");
        if (const std::string problem = userNameProblem(name); !problem.empty())
            throw CommandError(problem);
        if (store.findUser(name))
            throw CommandError("there is already a user " + name);
        store.addUser(name, clientPasswordDigest(readPassword(in)), role == "owner");
        out << "added user " << name << (role == "owner" ? " (site owner)" : "") << "\n";
        return 0;
    }
    if (action == "passwd") {
        const std::string password = readPassword(in);
        if (!store.setPassword(name, clientPasswordDigest(password)))
            throw CommandError("no user " + name);
        out << "changed the password of " << name << "\n";
        return 0;
    }
    if (action == "reset-link") {
        const Origin origin = commandLineOrigin();
        const auto token = store.issuePasswordReset(name, origin);
        if (!token)
            throw CommandError("no user " + name);
        out << kPasswordResetPath << "?token=" << *token << "\n"
            << "the link sets the password of " << name << " once, within "
            << kPasswordResetLifetimeMs / (60 * 60 * 1000) << " hours\n";
        return 0;
    }
    throw CommandError("unknown command user " + action);
}

SiteGuild guildAt(SiteStore& store, const std::string& site) {
    const auto guild = store.guildBySite(site);
    if (!guild)
        throw CommandError("no guild with the site name " + site);
    return *guild;
}

int guildRegistration(const CommandLine& line, std::ostream& out) {
    const std::string site = line.word(2, "the guild's site name");
    const std::string policyName = line.word(3, "closed, invite or open");
    line.expectWords(4);
    const auto policy = registrationPolicyNamed(policyName);
    if (!policy)
        throw CommandError("a registration policy is closed, invite or open, not " + policyName);
    SiteStore store(line.option("db"));
    store.setRegistration(guildAt(store, site).rowId, *policy);
    out << "registration in /" << site << " is " << policyName << "\n";
    return 0;
}

int guildInvite(const CommandLine& line, std::ostream& out) {
    const std::string site = line.word(2, "the guild's site name");
    line.expectWords(3);
    SiteStore store(line.option("db"));
    const SiteGuild guild = guildAt(store, site);
    const std::string token = store.createInvite(guild.rowId);
    out << kRegistrationPath << "?invite=" << token << "\n";
    if (guild.registration != RegistrationPolicy::Invite)
        out << "the link serves once the guild's registration is by invite (dkpsite guild "
               "registration "
            << site << " invite)\n";
    return 0;
}

int guild(const CommandLine& line, std::ostream& out) {
    const std::string action = line.word(1, "guild add, registration or invite");
    if (action == "registration")
        return guildRegistration(line, out);
    if (action == "invite")
        return guildInvite(line, out);
    if (action != "add")
        throw CommandError("unknown command guild " + action);
    const std::string name = line.word(2, "the guild's name");
    line.expectWords(3);
    const std::string site = line.option("site");
    if (const std::string refusal = siteNameRefusal(site); !refusal.empty())
        throw CommandError(refusal);
    SiteStore store(line.option("db"));
    if (store.guildBySite(site))
        throw CommandError("there is already a guild with the site name " + site);
    std::optional<std::int64_t> admin;
    if (line.options.count("admin")) {
        admin = store.findUser(line.option("admin"));
        if (!admin)
            throw CommandError("no user " + line.option("admin"));
    }
    const Origin origin = commandLineOrigin();
    const std::int64_t guildRowId = store.addGuild(name, site, origin.atMs, false, origin);
    store.addDkpSystem(guildRowId, line.option("system", "DKP"), origin);
    if (admin)
        store.addMembership(*admin, guildRowId, true, "admin", origin);
    out << "added guild " << name << " at /" << site << "\n";
    return 0;
}

int member(const CommandLine& line, std::ostream& out) {
    const std::string action = line.word(1, "member add, role or remove");
    const std::string name = lowerCase(line.word(2, "the user's name"));
    line.expectWords(3);
    SiteStore store(line.option("db"));
    const auto user = store.findUser(name);
    if (!user)
        throw CommandError("no user " + name);
    const SiteGuild guild = guildAt(store, line.option("guild"));
    const auto current = store.memberRole(*user, guild.rowId);
    try {
        if (action == "add") {
            if (current)
                throw CommandError(name + " is already " + *current + " of /" + guild.site);
            const std::string role = line.option("role", "member");
            store.addMembership(*user, guild.rowId, false, role);
            out << "added " << name << " to /" << guild.site << " as " << role << "\n";
            return 0;
        }
        if (action == "role") {
            if (!current)
                throw CommandError(name + " is not in /" + guild.site);
            const std::string role = line.option("role");
            store.setMemberRole(*user, guild.rowId, role);
            out << name << " is " << role << " of /" << guild.site << " (was " << *current << ")\n";
            return 0;
        }
    } catch (const std::invalid_argument& e) {
        throw CommandError(e.what());
    }
    if (action == "remove") {
        if (!store.removeMember(*user, guild.rowId))
            throw CommandError(name + " is not in /" + guild.site);
        out << "removed " << name << " from /" << guild.site << "\n";
        return 0;
    }
    throw CommandError("unknown command member " + action);
}

int backup(const CommandLine& line, std::ostream& out) {
    const std::string target = line.word(1, "the backup file");
    line.expectWords(2);
    SiteStore store(line.option("db"));
    if (store.database().engine() != Engine::Sqlite)
        throw CommandError("a PostgreSQL database is backed up with pg_dump (docs/site.md)");
    if (std::filesystem::exists(target))
        throw CommandError(target + " exists; a backup never overwrites a file");
    // Written beside the target and renamed into place: a backup is whole or absent.
    const std::string partial = target + ".partial";
    std::filesystem::remove(partial);
    {
        Database::Connection connection(store.database());
        connection.sql() << "VACUUM INTO :file", soci::use(partial, "file");
    }
    std::filesystem::rename(partial, target);
    out << "backed up " << line.option("db") << " to " << target << "\n";
    return 0;
}

int check(const CommandLine& line, std::ostream& out, std::ostream& err) {
    line.expectWords(1);
    SiteStore store(line.option("db"));
    const std::vector<std::string> differences = store.check();
    for (const std::string& difference : differences)
        err << "dkpsite check: " << difference << "\n";
    if (!differences.empty())
        return 1;
    out << "every standing agrees with the points ledger\n";
    return 0;
}

int exportCommand(const CommandLine& line, std::ostream& out) {
    line.expectWords(1);
    SiteStore store(line.option("db"));
    out << exportGuild(store.database(), line.option("guild"));
    return 0;
}

int importCommand(const CommandLine& line, std::ostream& out) {
    const std::string file = line.word(1, "the file to import");
    line.expectWords(2);
    std::ifstream input(file, std::ios::binary);
    if (!input)
        throw CommandError("cannot read " + file);
    std::stringstream archive;
    archive << input.rdbuf();
    SiteStore store(line.option("db"));
    const std::string site = importGuild(store.database(), archive.str(), commandLineOrigin());
    out << "imported the guild at /" << site << "\n";
    return 0;
}

bool isCommand(const std::string& word) {
    for (const char* command : {"init", "user", "guild", "member", "backup", "check", "export",
                                "import", "--help", "-h", "help"})
        if (word == command)
            return true;
    return false;
}

} // namespace

std::optional<int> runCommand(const std::vector<std::string>& arguments, std::istream& in,
                              std::ostream& out, std::ostream& err) {
    if (arguments.empty() || !isCommand(arguments[0]))
        return std::nullopt;
    const std::string& command = arguments[0];
    if (command == "--help" || command == "-h" || command == "help") {
        out << kSiteHelp;
        return 0;
    }
    try {
        const CommandLine line =
            readCommandLine(arguments, {"db", "role", "site", "admin", "system", "guild"});
        if (command == "init")
            return init(line, out);
        if (command == "user")
            return user(line, in, out);
        if (command == "guild")
            return guild(line, out);
        if (command == "member")
            return member(line, out);
        if (command == "backup")
            return backup(line, out);
        if (command == "check")
            return check(line, out, err);
        if (command == "export")
            return exportCommand(line, out);
        return importCommand(line, out);
    } catch (const CommandError& e) {
        err << "dkpsite " << command << ": " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        err << "dkpsite " << command << ": " << e.what() << "\n";
        return 1;
    }
}

} // namespace dkpsite
