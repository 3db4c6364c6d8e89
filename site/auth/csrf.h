#pragma once

#include <string>

namespace dkpsite {

// Forms that change something carry a token only the site's own pages can know: derived from
// the browser's session token (or, before a login, from the random form cookie the site set),
// which another site can neither read nor guess. Nothing is stored, so every process of the
// site accepts the tokens of the others.
//
// The form field (or `X-CSRF-Token` header) that carries it:
inline constexpr const char* kCsrfField = "csrf";

// The token of forms shown to the browser whose session (or form cookie) is `binding`.
std::string csrfToken(const std::string& binding);
// Whether `token` is the token of `binding`; false for an empty binding. Compared in constant
// time.
bool csrfTokenMatches(const std::string& binding, const std::string& token);

// A fresh random value of 128 bits, as hex: session tokens and form cookies.
std::string randomToken();

} // namespace dkpsite
