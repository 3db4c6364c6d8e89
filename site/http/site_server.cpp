#include "http/site_server.h"

#include "http/server_limits.h"

#include <cerrno>
#include <chrono>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace dkpsite {

namespace {

using Clock = std::chrono::steady_clock;

// cpp-httplib serves an accepted connection in a private member function. The standard lets an
// explicit instantiation name a private member; this one hands it out.
using SocketServing = bool (httplib::Server::*)(socket_t);
struct SocketServingKey {
    friend SocketServing socketServing(SocketServingKey);
};
template <SocketServing Member> struct SocketServingAccess {
    friend SocketServing socketServing(SocketServingKey) { return Member; }
};
template struct SocketServingAccess<&httplib::Server::process_and_close_socket>;

// Waits until `sock` holds more than `held` unread bytes, the peer stops sending, or `until`.
// False unless more bytes came.
bool awaitMoreBytes(socket_t sock, std::size_t held, Clock::time_point until) {
    // poll reports a TCP socket readable only once it holds SO_RCVLOWAT bytes.
    const int wanted = static_cast<int>(held + 1);
    setsockopt(sock, SOL_SOCKET, SO_RCVLOWAT, &wanted, sizeof wanted);
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd watched{sock, POLLIN | POLLRDHUP, 0};
        const int ready = poll(&watched, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        return ready > 0 && (watched.revents & (POLLRDHUP | POLLHUP | POLLERR)) == 0;
    }
}

// Looks at the request head of a new connection without reading it off the socket. Nothing
// when the connection stays silent, stalls or ends before its head is whole.
std::optional<HeaderVerdict> lookAtRequestHead(socket_t sock, const HeaderLimits& limits) {
    std::string bytes(limits.block + 1, '\0');
    std::size_t held = 0;
    const auto headDeadline = Clock::now() + kRequestHeadTimeout;
    auto until = Clock::now() + kIdleConnectionTimeout;
    for (;;) {
        if (!awaitMoreBytes(sock, held, std::min(until, headDeadline)))
            return std::nullopt;
        const ssize_t got = recv(sock, bytes.data(), bytes.size(), MSG_PEEK | MSG_DONTWAIT);
        if (got <= 0)
            return std::nullopt;
        held = static_cast<std::size_t>(got);
        HeaderVerdict verdict = judgeHeaderBlock(std::string_view(bytes.data(), held), limits);
        if (verdict.kind != HeaderVerdict::Incomplete)
            return verdict;
        until = Clock::now() + kTransferStallTimeout;
    }
}

const char* reasonPhrase(int status) {
    return status == 414 ? "URI Too Long" : "Request Header Fields Too Large";
}

// Answers a refused head and ends the connection. What the peer still sends is read a little
// while, so that closing does not reset the connection before the answer is read.
void refuseHead(socket_t sock, const HeaderVerdict& verdict) {
    const std::string body = verdict.reason + "\n";
    const std::string answer = "HTTP/1.1 " + std::to_string(verdict.status) + " " +
                               reasonPhrase(verdict.status) +
                               "\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: " +
                               std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    send(sock, answer.data(), answer.size(), MSG_NOSIGNAL);
    shutdown(sock, SHUT_WR);
    const int one = 1;
    setsockopt(sock, SOL_SOCKET, SO_RCVLOWAT, &one, sizeof one);
    const auto until = Clock::now() + kRefusalDrainTime;
    char discarded[16 * 1024];
    for (std::size_t drained = 0; drained < kRefusalDrainBytes;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
        pollfd watched{sock, POLLIN, 0};
        if (left.count() <= 0 || poll(&watched, 1, static_cast<int>(left.count())) <= 0)
            break;
        const ssize_t got = recv(sock, discarded, sizeof discarded, MSG_DONTWAIT);
        if (got <= 0)
            break;
        drained += static_cast<std::size_t>(got);
    }
}

} // namespace

// Serves the connections the listener passes on; it never listens itself. cpp-httplib serves a
// connection only while its server has a listening socket, so it is given the listener's.
class SiteServer::RequestServer : public httplib::Server {
public:
    void serveFor(socket_t listening) { svr_sock_ = listening; }
    bool serve(socket_t sock) { return (this->*socketServing(SocketServingKey{}))(sock); }
};

class SiteServer::Listener : public httplib::Server {
public:
    Listener(RequestServer& requests, HeaderLimits limits) : requests_(requests), limits_(limits) {
        new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    }

    // cpp-httplib listens with a backlog of 5, which a burst of clients overflows.
    void deepenBacklog() {
        ::listen(svr_sock_, kListenBacklog);
        requests_.serveFor(svr_sock_);
    }

private:
    bool process_and_close_socket(socket_t sock) override {
        const std::optional<HeaderVerdict> verdict = lookAtRequestHead(sock, limits_);
        if (verdict && verdict->kind == HeaderVerdict::Complete)
            return requests_.serve(sock);
        if (verdict)
            refuseHead(sock, *verdict);
        ::shutdown(sock, SHUT_RDWR);
        ::close(sock);
        return false;
    }

    RequestServer& requests_;
    const HeaderLimits limits_;
};

SiteServer::SiteServer(HeaderLimits limits)
    : requests_(std::make_unique<RequestServer>()),
      listener_(std::make_unique<Listener>(*requests_, limits)) {}

SiteServer::~SiteServer() {
    requests_->serveFor(INVALID_SOCKET);
}

httplib::Server& SiteServer::requests() {
    return *requests_;
}

int SiteServer::bind(const std::string& address, int port) {
    const int bound = port == 0 ? listener_->bind_to_any_port(address)
                                : (listener_->bind_to_port(address, port) ? port : -1);
    if (bound > 0)
        listener_->deepenBacklog();
    return bound;
}

bool SiteServer::listen() {
    return listener_->listen_after_bind();
}

void SiteServer::stop() {
    listener_->stop();
}

bool SiteServer::isRunning() const {
    return listener_->is_running();
}

} // namespace dkpsite
