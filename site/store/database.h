#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>

#include <soci/soci.h>

namespace dkpsite {

struct DatabaseError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

enum class Engine { Sqlite, Postgresql };

// Which engine a `--db` value names: "postgresql://…" (or "postgres://…") is a PostgreSQL
// connection URI, anything else an SQLite file (":memory:" one held in memory).
Engine engineOf(const std::string& target);

// The site's database: a few connections to one SQLite file or one PostgreSQL database, each
// set up alike (SQLite: write-ahead log, foreign keys, a busy timeout). Safe to use from several
// threads: each takes a connection of its own for the time it needs it.
class Database {
public:
    explicit Database(const std::string& target);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    Engine engine() const { return engine_; }
    const std::string& target() const { return target_; }

    // A connection of the pool, given back when it ends.
    class Connection {
    public:
        explicit Connection(Database& db);
        ~Connection();
        Connection(const Connection&) = delete;
        Connection& operator=(const Connection&) = delete;
        soci::session& sql() { return *session_; }
        Engine engine() const { return db_.engine_; }

    private:
        Database& db_;
        std::size_t position_;
        soci::session* session_;
    };

private:
    Engine engine_;
    std::string target_;
    std::size_t size_;
    std::unique_ptr<soci::connection_pool> pool_;
};

// A transaction that writes: rolled back unless committed. On SQLite it takes the write lock at
// once (so two writers never deadlock upgrading a read); on PostgreSQL the writes of one guild
// are serialised by a lock on the guild (`lockGuild`), so that checks made inside the
// transaction still hold when it commits.
class WriteTransaction {
public:
    explicit WriteTransaction(Database::Connection& connection);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    void lockGuild(long long guildRowId);
    void commit();

private:
    Database::Connection& connection_;
    bool done_ = false;
};

// Runs `write(soci::session&)` on a connection of `db` in one WriteTransaction, holding the
// guild's lock when a guild is given, and commits it; an exception rolls it back.
template <typename Write>
auto inWriteTransaction(Database& db, std::optional<long long> guild, Write&& write) {
    Database::Connection connection(db);
    WriteTransaction transaction(connection);
    if (guild)
        transaction.lockGuild(*guild);
    if constexpr (std::is_void_v<decltype(write(connection.sql()))>) {
        write(connection.sql());
        transaction.commit();
    } else {
        auto result = write(connection.sql());
        transaction.commit();
        return result;
    }
}

} // namespace dkpsite
