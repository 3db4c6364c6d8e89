#pragma once

#include "connection_settings.h"
#include "failure.h"

#include <atomic>
#include <string>

namespace wirekit {

struct HttpRequest {
    bool post = false;
    std::string url;
    std::string jsonBody;    // sent as application/json with a POST
    std::string bearerToken; // sent as "Authorization: Bearer <token>" when not empty
};

struct HttpResponse {
    Failure failure = Failure::None; // None: the site answered, with `status`
    long status = 0;
    std::string body;
};

// Answers larger than this are abandoned as malformed.
inline constexpr std::size_t kMaxAnswerBytes = 32u << 20;

// Performs one request over libcurl on the calling thread. Only http and https are spoken,
// https with the peer's certificate and host name verified; redirects are not followed. A set
// `cancelled` flag abandons the transfer. Nothing is logged.
HttpResponse performRequest(const HttpRequest& request, const Timeouts& timeouts,
                            const std::atomic<bool>& cancelled);

} // namespace wirekit
