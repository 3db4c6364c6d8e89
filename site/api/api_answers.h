#pragma once

#include "auth/login_gate.h"
#include "store/site_store.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace dkpsite {

// The status and JSON body of an answer of the protocol, apart from how it travels.
struct ApiAnswer {
    int status = 200;
    std::string body;
    std::int64_t retryAfterSeconds = 0; // sent as Retry-After when not 0
};

// The protocol's requests, each from the parts of an HTTP request it reads: the body, the
// session token of its `Authorization: Bearer` header, and the current time.
// `address` is the address the login came from (its failures are counted by it too).
ApiAnswer answerLogin(LoginGate& logins, std::string_view body, const std::string& address,
                      std::int64_t nowMs);
ApiAnswer answerLogout(SiteStore& store, const std::string& token);
// `publicUrl` is the site's own address, the base of the default guild's address.
ApiAnswer answerAccount(SiteStore& store, const std::string& token, const std::string& publicUrl,
                        std::int64_t nowMs);
// An upload of a document the DKP system already holds answers as the first did, with the
// event it is. `address` is the address the request came from.
ApiAnswer answerUpload(SiteStore& store, const std::string& token, std::string_view body,
                       std::int64_t nowMs, const std::string& address = "");
ApiAnswer answerEvent(SiteStore& store, std::int64_t eventId);

} // namespace dkpsite
