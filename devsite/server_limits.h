#pragma once

#include <cstddef>
#include <string>

namespace httplib {
class Server;
}

namespace devsite {

// The JSON requests other than an upload carry a few hundred bytes.
inline constexpr std::size_t kMaxJsonRequestBytes = std::size_t(1) << 20;
// An upload carries a raid's whole export document, which grows with its members, kills and
// loot.
inline constexpr std::size_t kMaxEventRequestBytes = std::size_t(16) << 20;

// The largest body a request to `path` may carry.
std::size_t requestBodyLimit(const std::string& path);

// Makes the server refuse, before reading them, request bodies over their path's limit (413)
// and bodies whose length is not given up front (411), and end every connection with its
// answer, so that a refused body is never read.
void applyServerLimits(httplib::Server& server);

} // namespace devsite
