#include "store/database.h"

#include <soci/postgresql/soci-postgresql.h>
#include <soci/sqlite3/soci-sqlite3.h>

namespace dkpsite {

namespace {

// Request threads each take a connection while they read or write; more than this wait.
constexpr std::size_t kConnections = 8;
// How long an SQLite connection waits for another's write to end before it gives up.
constexpr int kBusyTimeoutMs = 10'000;

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.rfind(prefix, 0) == 0;
}

void openConnection(soci::session& session, Engine engine, const std::string& target) {
    if (engine == Engine::Postgresql) {
        session.open(*soci::factory_postgresql(), target);
        session << "SET client_min_messages TO WARNING";
        return;
    }
    session.open(*soci::factory_sqlite3(), "db=\"" + target + "\"");
    session << "PRAGMA busy_timeout = " + std::to_string(kBusyTimeoutMs);
    session << "PRAGMA foreign_keys = ON";
    session << "PRAGMA synchronous = NORMAL";
}

} // namespace

Engine engineOf(const std::string& target) {
    return startsWith(target, "postgresql://") || startsWith(target, "postgres://")
               ? Engine::Postgresql
               : Engine::Sqlite;
}

Database::Database(const std::string& target)
    : engine_(engineOf(target)), target_(target),
      // Every connection to ":memory:" would be a database of its own.
      size_(target == ":memory:" ? 1 : kConnections),
      pool_(std::make_unique<soci::connection_pool>(size_)) {
    try {
        for (std::size_t i = 0; i < size_; ++i)
            openConnection(pool_->at(i), engine_, target_);
        if (engine_ == Engine::Sqlite && target_ != ":memory:") {
            std::string mode;
            pool_->at(0) << "PRAGMA journal_mode = WAL", soci::into(mode);
        }
    } catch (const soci::soci_error& e) {
        throw DatabaseError("cannot open database " + target_ + ": " + e.what());
    }
}

Database::~Database() = default;

Database::Connection::Connection(Database& db)
    : db_(db), position_(db.pool_->lease()), session_(&db.pool_->at(position_)) {}

Database::Connection::~Connection() {
    db_.pool_->give_back(position_);
}

WriteTransaction::WriteTransaction(Database::Connection& connection) : connection_(connection) {
    if (connection_.engine() == Engine::Sqlite)
        connection_.sql() << "BEGIN IMMEDIATE";
    else
        connection_.sql() << "BEGIN";
}

WriteTransaction::~WriteTransaction() {
    if (done_)
        return;
    try {
        connection_.sql() << "ROLLBACK";
    } catch (const std::exception&) {
        // Nothing more can be done: the connection ends the transaction when it closes.
    }
}

void WriteTransaction::lockGuild(long long guildRowId) {
    if (connection_.engine() == Engine::Postgresql)
        connection_.sql() << "SELECT pg_advisory_xact_lock(:guild)", soci::use(guildRowId, "guild");
}

void WriteTransaction::commit() {
    connection_.sql() << "COMMIT";
    done_ = true;
}

} // namespace dkpsite
