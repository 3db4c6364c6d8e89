#include "http/server_limits.h"

#include <algorithm>
#include <httplib.h>
#include <malloc.h>

namespace dkpsite {

namespace {

// One request per connection: the answer to a refused body ends the connection, so the rest of
// the body is never read (not even as the next request). The client opens a connection per
// request anyway.
constexpr std::size_t kRequestsPerConnection = 1;

// The methods cpp-httplib reads a request body for.
bool readsBody(const std::string& method) {
    return method == "POST" || method == "PUT" || method == "PATCH" || method == "DELETE" ||
           method == "PRI";
}

void refuse(httplib::Response& res, int status, const std::string& message) {
    res.status = status;
    res.set_content(message, "text/plain; charset=utf-8");
}

// Runs before the body is read. A body without a Content-Length (chunked, or running to the end
// of the connection) would be read whole whatever its size, so it is refused.
httplib::Server::HandlerResponse checkBodyLength(const httplib::Request& req,
                                                 httplib::Response& res) {
    if (!readsBody(req.method))
        return httplib::Server::HandlerResponse::Unhandled;
    if (req.has_header("Transfer-Encoding") || !req.has_header("Content-Length")) {
        refuse(res, 411, "a request body needs a Content-Length");
        return httplib::Server::HandlerResponse::Handled;
    }
    // Read as cpp-httplib reads it to size the body.
    if (req.get_header_value<std::uint64_t>("Content-Length") > requestBodyLimit(req.path)) {
        refuse(res, 413, "request body too large");
        return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
}

} // namespace

std::size_t requestBodyLimit(const std::string& path) {
    if (path == "/api/events")
        return kMaxEventRequestBytes;
    // A guild's pages are "/<site>/…", one piece below the guild's address.
    const std::size_t slash = path.find('/', 1);
    if (slash != std::string::npos && path.find('/', slash + 1) == std::string::npos) {
        const std::string page = path.substr(slash);
        if (page == "/import")
            return kMaxArchiveRequestBytes;
        if (page == "/raid-import")
            return kMaxRaidLogRequestBytes;
    }
    return kMaxJsonRequestBytes;
}

void applyServerLimits(httplib::Server& server) {
    server.set_payload_max_length(
        std::max({kMaxEventRequestBytes, kMaxArchiveRequestBytes, kMaxRaidLogRequestBytes}));
    server.set_keep_alive_max_count(kRequestsPerConnection);
    server.set_pre_routing_handler(checkBodyLength);
    // cpp-httplib waits for a connection's first request as for a kept-alive one's next.
    server.set_keep_alive_timeout(kIdleConnectionTimeout.count());
    server.set_read_timeout(kTransferStallTimeout);
    server.set_write_timeout(kTransferStallTimeout);
}

void keepFreedMemory() {
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(kKeptFreeMemory));
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(kOwnMappingFrom));
}

} // namespace dkpsite
