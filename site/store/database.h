#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace dkpsite {

struct DatabaseError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One prepared SQLite statement. Parameters and columns count from 1 and 0 respectively, as in
// SQLite itself.
class Statement {
public:
    Statement(sqlite3* db, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, const std::string& value);
    // Advances to the next row; false when there is none (or the statement is done).
    bool step();
    std::int64_t integer(int column) const;
    std::string text(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

// An open SQLite database file. Errors throw DatabaseError.
class Database {
public:
    explicit Database(const std::string& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void exec(const std::string& sql);
    Statement prepare(const std::string& sql) { return Statement(db_, sql); }
    std::int64_t lastInsertId() const;

private:
    sqlite3* db_ = nullptr;
};

// Runs a group of statements as one transaction, rolled back unless committed.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    void commit();

private:
    Database& db_;
    bool done_ = false;
};

} // namespace dkpsite
