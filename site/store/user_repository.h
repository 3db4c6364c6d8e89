#pragma once

#include <optional>
#include <soci/soci.h>
#include <string>

namespace dkpsite {

// The accounts.
struct StoredUser {
    long long id = 0;
    std::string name, salt, passwordHash;
    bool owner = false;
};

long long insertUser(soci::session& sql, const std::string& name, const std::string& verifier,
                     bool owner);
std::optional<StoredUser> userNamed(soci::session& sql, const std::string& name);
std::optional<StoredUser> userWithId(soci::session& sql, long long userId);
// Replaces the verifier; with `expected`, only while the stored one is still that. False when
// nothing was replaced.
bool setPasswordHash(soci::session& sql, long long userId, const std::string& verifier,
                     const std::optional<std::string>& expected = std::nullopt);

} // namespace dkpsite
