#pragma once

#include <cstdint>

namespace wirekit {

// Why a request failed; sent as the second value of onLoginResult and onUploadResult.
enum class Failure : std::uint32_t {
    None = 0,
    NoSiteAddress = 1, // no DKP web site is configured
    Transport = 2,     // no connection, or the connection broke
    TimedOut = 3,      // connecting or the whole exchange took too long
    HttpError = 4,     // the site answered with an error status
    Malformed = 5,     // the site's answer could not be understood
    Refused = 6,       // the site understood and said no (wrong password, ...)
    Cancelled = 7,     // the library shut down while the request was under way
};

constexpr std::uint32_t code(Failure failure) {
    return static_cast<std::uint32_t>(failure);
}

} // namespace wirekit
