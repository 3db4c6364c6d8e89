// dkpsite: the reference DKP web site that the protocol library talks to.
#include "auth/login_gate.h"
#include "cli/commands.h"
#include "cli/site_options.h"
#include "demo/demo_data.h"
#include "http/error_pages.h"
#include "http/route_table.h"
#include "http/server_limits.h"
#include "http/site_routes.h"
#include "http/site_server.h"
#include "http/store_directory.h"
#include "store/site_store.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <httplib.h>
#include <iostream>
#include <pthread.h>
#include <thread>

namespace {

std::int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// Stops the server on SIGINT or SIGTERM, so that it ends cleanly. The signals are blocked in
// every thread and taken by this one. A stop only ends a loop that has started, so a signal
// that comes early waits for the loop (or for the news that it ended on its own).
std::thread stopOnSignal(dkpsite::SiteServer& server, sigset_t signals,
                         const std::atomic<bool>& listenEnded) {
    return std::thread([&server, signals, &listenEnded] {
        int received = 0;
        sigwait(&signals, &received);
        while (!server.isRunning() && !listenEnded)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        server.stop();
    });
}

int run(dkpsite::SiteOptions options) {
    dkpsite::keepFreedMemory();
    dkpsite::SiteStore store(options.database);
    if (options.demo)
        dkpsite::seedDemoData(store, nowMs());

    dkpsite::SiteServer site;
    httplib::Server& server = site.requests();
    dkpsite::applyServerLimits(server);
    dkpsite::installErrorPages(server);
    // Only the method and path are logged: request bodies carry password digests.
    server.set_logger([](const httplib::Request& req, const httplib::Response& res) {
        std::cerr << req.method << ' ' << req.path << ' ' << res.status << std::endl;
    });
    server.set_exception_handler(
        [](const httplib::Request& req, httplib::Response& res, std::exception_ptr error) {
            try {
                std::rethrow_exception(error);
            } catch (const std::exception& e) {
                std::cerr << "request failed: " << e.what() << std::endl;
            } catch (...) {
                std::cerr << "request failed" << std::endl;
            }
            dkpsite::answerError(req, res, 500, "internal error");
        });
    if (!options.updatesFolder.empty() && !std::filesystem::is_directory(options.updatesFolder)) {
        std::cerr << "dkpsite: no such folder: " << options.updatesFolder << std::endl;
        return 1;
    }

    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    const int port = site.bind(options.bindAddress, options.port);
    if (port <= 0) {
        std::cerr << "dkpsite: cannot listen on " << options.bindAddress << ":" << options.port
                  << std::endl;
        return 1;
    }
    // Addresses the site gives out never come from a request.
    if (options.publicUrl.empty())
        options.publicUrl = dkpsite::boundSiteUrl(options.bindAddress, port);
    dkpsite::LoginThrottle throttle(store);
    dkpsite::PasswordWork passwordWork(dkpsite::PasswordWork::defaultSlots(),
                                       dkpsite::kMaxWaitingLogins);
    dkpsite::LoginGate logins(store, throttle, passwordWork);
    dkpsite::StoreDirectory directory(store);
    dkpsite::RouteTable routes(directory, dkpsite::CookiePolicy(options.publicUrl), nowMs);
    const dkpsite::WebSite web(store, nowMs);
    dkpsite::addSiteRoutes(routes, store, logins, web, options);
    routes.install(server);
    std::cout << "dkpsite listening on http://" << options.bindAddress << ":" << port << std::endl;
    std::atomic<bool> listenEnded{false};
    std::thread signalThread = stopOnSignal(site, signals, listenEnded);
    site.listen();
    listenEnded = true;
    // Wake the signal thread if the server ended on its own.
    pthread_kill(signalThread.native_handle(), SIGTERM);
    signalThread.join();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (const auto status = dkpsite::runCommand(arguments, std::cin, std::cout, std::cerr))
        return *status;
    std::string error;
    const auto options = dkpsite::parseSiteOptions(arguments, error);
    if (!options) {
        std::cerr << "dkpsite: " << error << "\n"
                  << dkpsite::kSiteUsage << "\n(dkpsite --help lists the commands)" << std::endl;
        return 2;
    }
    try {
        return run(*options);
    } catch (const std::exception& e) {
        std::cerr << "dkpsite: " << e.what() << std::endl;
        return 1;
    }
}
