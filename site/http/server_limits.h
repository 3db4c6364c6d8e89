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
// A guild archive a guild admin imports on the web (`POST /<site>/import`): a guild of three
// years of raids exports to some tens of MiB (every event's document, every ledger entry). A
// larger one is imported with `dkpsite import` on the host.
inline constexpr std::size_t kMaxArchiveRequestBytes = std::size_t(64) << 20;
// A raid-log XML file an officer imports (`POST /<site>/raid-import`): the file's own limit
// (records/raid_log_xml.h) and the form around it.
inline constexpr std::size_t kMaxRaidLogRequestBytes = std::size_t(5) << 20;

// Request threads. Each connection holds one while it is served, so an idle or slow connection
// keeps one busy until a time limit below ends it, and a login holds one while it waits for the
// password hashing (login_gate.h); the pool is large enough that bursts of clients and a flood of
// logins leave the other requests served at once. Idle threads cost little.
inline constexpr std::size_t kWorkerThreads = 128;
// Connections the system holds for the server before it accepts them. A burst of clients while
// every processor is busy must not find the queue full (a full queue resets connections);
// the system caps it at net.core.somaxconn.
inline constexpr int kListenBacklog = 1024;
// How long a new connection may stay silent before it is closed.
inline constexpr std::chrono::seconds kIdleConnectionTimeout{2};
// How long a request (or its answer) may stall between two pieces of it.
inline constexpr std::chrono::seconds kTransferStallTimeout{3};
// How long a request's line and headers may take in all, however steadily they trickle in.
inline constexpr std::chrono::seconds kRequestHeadTimeout{10};
// After a refused request head, how much more of the request is read (and dropped) so that the
// refusal reaches the client before the connection ends.
inline constexpr std::chrono::milliseconds kRefusalDrainTime{500};
inline constexpr std::size_t kRefusalDrainBytes = std::size_t(1) << 20;

// Freed memory the process keeps for later requests instead of handing it back to the system,
// and the size from which one allocation gets a mapping of its own. Memory handed back after a
// request is faulted in again by the next one, and on a virtual machine that costs more than the
// work: an upload's store work spent three quarters of its time so (110 to 150 ms an upload on a
// busy 2-core machine, 30 to 45 ms with the memory kept). What is kept never exceeds the
// process's own peak.
inline constexpr std::size_t kKeptFreeMemory = std::size_t(256) << 20;
inline constexpr std::size_t kOwnMappingFrom = std::size_t(32) << 20;

// Tells the process's allocator the two figures above.
void keepFreedMemory();

// The largest body a request to `path` may carry.
std::size_t requestBodyLimit(const std::string& path);

// Makes the server refuse, before reading them, request bodies over their path's limit (413)
// and bodies whose length is not given up front (411), end every connection with its answer,
// so that a refused body is never read, and bounds how long a request may stall. (SiteServer
// bounds the request head and how long a connection may stay silent.)
void applyServerLimits(httplib::Server& server);

} // namespace dkpsite
