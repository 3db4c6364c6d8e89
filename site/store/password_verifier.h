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

// Sites before password verifiers kept SHA-256(salt ":" digest). Such a hash is wrapped, when
// the database is brought up to date, in a verifier marked with this prefix, and replaced by a
// verifier of the digest itself at the user's next login.
inline constexpr std::string_view kWrappedLegacyHash = "sha256+";

// The digest the client sends for a password (docs/protocol.md): SHA-256, in hex, of the
// password's bytes in the ANSI code page (GBK). The site computes the same from a password typed
// as UTF-8, so that one account serves the client and the site.
std::string clientPasswordDigest(std::string_view utf8Password);

// Whether `secret` is the one `verifier` was made from; false for text that is not a verifier.
bool matchesPasswordVerifier(std::string_view verifier, std::string_view secret);

// Whether `verifier` was made as makePasswordVerifier makes one now with `iterations` rounds.
// A login made with a verifier of other parameters (fewer rounds, a wrapped hash) replaces it.
bool isCurrentPasswordVerifier(std::string_view verifier, int iterations);

} // namespace dkpsite
