#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace dkpsite {

// The pages the links of `user reset-link` and `guild invite` open, with the token as their
// `token` and `invite` parameter.
inline constexpr const char* kPasswordResetPath = "/GetPasswordPage.do";
inline constexpr const char* kRegistrationPath = "/register";

// What `dkpsite --help` prints: the server's options and the administration commands.
extern const char* const kSiteHelp;

// Runs an administration command (init, user, guild, member, backup, check, export, import, --help)
// given without the program name; its password is read from `in`, its results written to `out`,
// its refusals to `err`. Gives the exit status, or nothing when the arguments are the server's
// options rather than a command.
std::optional<int> runCommand(const std::vector<std::string>& arguments, std::istream& in,
                              std::ostream& out, std::ostream& err);

} // namespace dkpsite
