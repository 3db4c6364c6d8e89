#pragma once

#include <string>
#include <string_view>

namespace dkpsite {

// PBKDF2-HMAC-SHA256 rounds of a new password verifier: slow enough that a copied database gives
// up its passwords only at great cost, quick enough for a login (tens of milliseconds).
inline constexpr int kPasswordIterations = 100'000;

// What the site keeps of a secret: "pbkdf2-sha256$<iterations>$<salt hex>$<key hex>", with a
// fresh random salt.
std::string makePasswordVerifier(std::string_view secret, int iterations);

// Whether `secret` is the one `verifier` was made from; false for text that is not a verifier.
bool matchesPasswordVerifier(std::string_view verifier, std::string_view secret);

} // namespace dkpsite
