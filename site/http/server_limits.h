#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace httplib {
class Server;
}

namespace dkpsite {

// The JSON requests other than an upload carry a few hundred bytes.
inline constexpr std::size_t kMaxJsonRequestBytes = std::size_t(1) << 20;
// An upload carries a raid's whole export document, which grows with its members, kills and
// loot.
inline constexpr std::size_t kMaxEventRequestBytes = std::size_t(16) << 20;

// Request threads. Each connection holds one while it is served, so an idle or slow connection
// keeps one busy until a time limit below ends it; the pool is large enough that a few such
// connections leave the others served at once.
inline constexpr std::size_t kWorkerThreads = 32;
// How long a new connection may stay silent before it is closed.
inline constexpr std::chrono::seconds kIdleConnectionTimeout{2};
// How long a request (or its answer) may stall between two pieces of it.
inline constexpr std::chrono::seconds kTransferStallTimeout{3};

// The largest body a request to `path` may carry.
std::size_t requestBodyLimit(const std::string& path);

// Makes the server refuse, before reading them, request bodies over their path's limit (413)
// and bodies whose length is not given up front (411), end every connection with its answer,
// so that a refused body is never read, and bounds how long a connection may hold a thread.
void applyServerLimits(httplib::Server& server);

} // namespace dkpsite
