#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace dkpsite_testing {

// A plain TCP connection to a port of 127.0.0.1, for requests an HTTP client would not send:
// half-sent requests, lying headers, idle connections.
class RawConnection {
public:
    explicit RawConnection(int port);
    ~RawConnection();
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool connected() const { return fd_ >= 0; }
    // False when the bytes cannot all be sent (the peer closed the connection).
    bool send(std::string_view bytes);

    // What the peer sends until it closes the connection or `limit` has passed.
    struct Received {
        std::string bytes;
        bool closed = false; // the peer ended the connection within the limit
    };
    Received receive(std::chrono::milliseconds limit);

private:
    int fd_ = -1;
};

} // namespace dkpsite_testing
