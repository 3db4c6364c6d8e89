#pragma once

#include "http/header_block.h"

#include <httplib.h>
#include <memory>
#include <string>

namespace dkpsite {

// The site's HTTP server. cpp-httplib reads a request's headers without bound, so each new
// connection is first looked at in place (read without taking the bytes): its request head must
// arrive whole inside HeaderLimits, or it is answered 431 (414 for the request line) and closed
// before cpp-httplib keeps any of it. Only then does cpp-httplib read and serve the connection
// (one request per connection, so every request is looked at). The listen backlog and the
// request threads are sized for bursts of clients.
class SiteServer {
public:
    explicit SiteServer(HeaderLimits limits = {});
    ~SiteServer();
    SiteServer(const SiteServer&) = delete;
    SiteServer& operator=(const SiteServer&) = delete;

    // Where routes, limits and hooks are set; it serves the connections that pass the check.
    httplib::Server& requests();

    // The port listened on, or -1; port 0 takes any free port.
    int bind(const std::string& address, int port);
    // Serves until stop(); false when it could not.
    bool listen();
    void stop();
    bool isRunning() const;

private:
    class RequestServer;
    class Listener;
    std::unique_ptr<RequestServer> requests_;
    std::unique_ptr<Listener> listener_;
};

} // namespace dkpsite
