#pragma once

#include <cstddef>
#include <string>

namespace dkpsite {

// A password chosen on a page must serve the client too: its login field takes at most 25
// characters, trims what is typed, and sends the SHA-256 of the password in GBK.
inline constexpr std::size_t kMinNewPasswordCharacters = 8;
inline constexpr std::size_t kMaxNewPasswordCharacters = 25;

// The key of the text (texts.tsv) that says why `password`, typed again as `again`, cannot be a
// new password; "" when it can.
std::string newPasswordProblem(const std::string& password, const std::string& again);

} // namespace dkpsite
