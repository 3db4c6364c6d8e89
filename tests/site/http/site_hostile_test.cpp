// dkpsite against requests meant to break it: each must be refused or survived, and the site
// must go on answering everyone else.
#include "http/server_limits.h"
#include "raw_connection.h"
#include "sample_raid.h"
#include "testsupport/site_process.h"

#include <atomic>
#include <fstream>
#include <gtest/gtest.h>
#include <httplib.h>
#include <memory>
#include <nlohmann/json.hpp>
#include <thread>
#include <vector>

namespace dkpsite {
namespace {

using dkpsite_testing::RawConnection;
using nlohmann::json;
using testsupport::SiteProcess;
using namespace std::chrono_literals;

// How long a test waits for an answer the site should give at once. Only a site that does not
// answer at all comes near it.
constexpr auto kAnswerWait = 5s;

const std::string kDemoDigest = "2a97516c354b68848cdbd8f54a226a0a55b21ed138e207ad6c5cbb9c00aa5aea";

// The session token of a demo log-in, or the empty text when the site did not answer with one.
std::string demoToken(const SiteProcess& site) {
    httplib::Client client("127.0.0.1", site.port());
    auto answer = client.Post("/api/login", json{{"user", "demo"}, {"digest", kDemoDigest}}.dump(),
                              "application/json");
    if (!answer || answer->status != 200)
        return {};
    return json::parse(answer->body).value("token", "");
}

bool logsIn(const SiteProcess& site) {
    return !demoToken(site).empty();
}

// The status of a raw HTTP answer ("HTTP/1.1 413 Payload Too Large..."), or 0.
int statusOf(const std::string& answer) {
    const std::string prefix = "HTTP/1.1 ";
    return answer.rfind(prefix, 0) == 0 ? std::atoi(answer.c_str() + prefix.size()) : 0;
}

std::string postHead(const std::string& path, const std::string& lengthHeader) {
    return "POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\n" +
           lengthHeader + "\r\n\r\n";
}

// The most memory the process has held at once, in KiB (VmHWM), or 0 when it cannot be read.
long peakMemoryKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

TEST(SiteHostile, FloodsOfHeadersAreRefusedBeforeTheyAreKept) {
    SiteProcess site;
    ASSERT_TRUE(logsIn(site));
    const long before = peakMemoryKiB(site.pid());
    ASSERT_GT(before, 0);
    // Eight requests at once, each with up to 20,000 headers of 8 KB (160 MB).
    const std::string header = "X-Padding: " + std::string(8000, 'p') + "\r\n";
    std::vector<std::string> answers(8);
    std::vector<std::thread> senders;
    for (std::string& answer : answers)
        senders.emplace_back([&site, &header, &answer] {
            RawConnection flood(site.port());
            flood.send("GET /api/guild-dkp-list?site=adpt_dkp HTTP/1.1\r\nHost: x\r\n");
            for (int i = 0; i < 20000 && flood.send(header); ++i) {
            }
            answer = flood.receive(kAnswerWait).bytes;
        });
    for (std::thread& sender : senders)
        sender.join();
    for (const std::string& answer : answers)
        EXPECT_EQ(statusOf(answer), 431) << answer.substr(0, 200);
    // What the floods cost stays far below one of them (160 MB), let alone eight.
    EXPECT_LT(peakMemoryKiB(site.pid()) - before, 32 * 1024);

    // Too many headers, however short, and a request line too long.
    RawConnection many(site.port());
    std::string head = "GET /adpt_dkp HTTP/1.1\r\n";
    for (int i = 0; i < 200; ++i)
        head += "X-" + std::to_string(i) + ": 1\r\n";
    many.send(head + "\r\n");
    const RawConnection::Received manyAnswer = many.receive(kAnswerWait);
    EXPECT_EQ(statusOf(manyAnswer.bytes), 431);
    EXPECT_TRUE(manyAnswer.closed);
    RawConnection longLine(site.port());
    longLine.send("GET /" + std::string(20000, 'a') + " HTTP/1.1\r\n\r\n");
    EXPECT_EQ(statusOf(longLine.receive(kAnswerWait).bytes), 414);
    EXPECT_TRUE(logsIn(site));
}

TEST(SiteHostile, ABurstOfClientsIsServedWithoutResets) {
    SiteProcess site;
    // Half log in (each costs the password's verifier), half fetch the guild's list, all at once.
    constexpr int kClients = 50;
    std::atomic<int> served{0};
    std::vector<std::thread> clients;
    for (int i = 0; i < kClients; ++i)
        clients.emplace_back([&site, &served, i] {
            httplib::Client client("127.0.0.1", site.port());
            client.set_read_timeout(std::chrono::seconds(120));
            auto answer = i % 2 == 0
                              ? client.Post("/api/login",
                                            json{{"user", "demo"}, {"digest", kDemoDigest}}.dump(),
                                            "application/json")
                              : client.Get("/api/guild-dkp-list?site=adpt_dkp");
            if (answer && answer->status == 200)
                ++served;
        });
    for (std::thread& client : clients)
        client.join();
    EXPECT_EQ(served, kClients);
}

TEST(SiteHostile, DeeplyNestedJsonIsRefusedAndTheSiteLivesOn) {
    SiteProcess site;
    httplib::Client client("127.0.0.1", site.port());
    const std::string deep = "{\"user\": " + std::string(100000, '[') + std::string(100000, ']') +
                             ", \"digest\": \"x\"}";
    for (const char* path : {"/api/login", "/api/events"}) {
        auto answer = client.Post(path, deep, "application/json");
        ASSERT_TRUE(answer) << path;
        EXPECT_EQ(answer->status, 400) << path;
    }
    EXPECT_TRUE(logsIn(site));
}

TEST(SiteHostile, OversizedBodiesAreRefusedBeforeTheyAreRead) {
    SiteProcess site;
    // A login announcing 512 MiB is answered after its first bytes, and its connection ended.
    RawConnection login(site.port());
    ASSERT_TRUE(login.send(postHead("/api/login", "Content-Length: 536870912") + "{\"user\": \""));
    const RawConnection::Received refused = login.receive(kAnswerWait);
    EXPECT_EQ(statusOf(refused.bytes), 413) << refused.bytes;
    EXPECT_TRUE(refused.closed);

    // Each route has its own limit: an upload may be larger than a login, up to its own limit.
    const std::string overUpload = std::to_string(kMaxEventRequestBytes + 1);
    RawConnection upload(site.port());
    ASSERT_TRUE(upload.send(postHead("/api/events", "Content-Length: " + overUpload)));
    EXPECT_EQ(statusOf(upload.receive(kAnswerWait).bytes), 413);
    httplib::Client client("127.0.0.1", site.port());
    const std::string bigUpload = json{{"guildId", "g"},
                                       {"dkpId", 1},
                                       {"name", "n"},
                                       {"note", ""},
                                       {"document", std::string(kMaxJsonRequestBytes + 1, 'x')}}
                                      .dump();
    auto accepted = client.Post("/api/events", bigUpload, "application/json");
    ASSERT_TRUE(accepted);
    EXPECT_EQ(accepted->status, 401); // read whole, and refused for want of a session
    const std::string padded = json{{"user", "demo"}, {"digest", kDemoDigest}}.dump() +
                               std::string(kMaxJsonRequestBytes, ' ');
    RawConnection sentWhole(site.port());
    sentWhole.send(postHead("/api/login", "Content-Length: " + std::to_string(padded.size())) +
                   padded);
    EXPECT_EQ(statusOf(sentWhole.receive(kAnswerWait).bytes), 413);

    // A body whose length is not said up front could be of any size.
    RawConnection chunked(site.port());
    ASSERT_TRUE(
        chunked.send(postHead("/api/login", "Transfer-Encoding: chunked") + "5\r\n{\"a\":\r\n"));
    EXPECT_EQ(statusOf(chunked.receive(kAnswerWait).bytes), 411);

    EXPECT_TRUE(logsIn(site));
}

TEST(SiteHostile, HugePointsAreRefusedSoTheGuildListKeepsAnswering) {
    SiteProcess site;
    httplib::Client client("127.0.0.1", site.port());
    const std::string token = demoToken(site);
    ASSERT_FALSE(token.empty());
    std::string document = dkpsite_testing::sampleRaidDocument();
    document.replace(document.find("<dkp>10</dkp>"), 13, "<dkp>9223372036854775807</dkp>");
    const json upload = {
        {"guildId", "晨曦之光"}, {"dkpId", 1}, {"name", "e"}, {"note", ""}, {"document", document}};
    for (int attempt = 0; attempt < 2; ++attempt) {
        auto answer = client.Post("/api/events", {{"Authorization", "Bearer " + token}},
                                  upload.dump(), "application/json");
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, 400);
    }
    for (const char* path : {"/api/guild-dkp-list?site=adpt_dkp", "/adpt_dkp"}) {
        auto answer = client.Get(path);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, 200) << path;
    }
}

TEST(SiteHostile, AccountAddressesNeverComeFromTheRequest) {
    SiteProcess site;
    httplib::Client client("127.0.0.1", site.port());
    const std::string token = demoToken(site);
    ASSERT_FALSE(token.empty());
    RawConnection request(site.port());
    ASSERT_TRUE(request.send("GET /api/account HTTP/1.1\r\nHost: evil.example\"><script>x"
                             "</script>\r\nAuthorization: Bearer " +
                             token + "\r\n\r\n"));
    const RawConnection::Received answer = request.receive(kAnswerWait);
    ASSERT_EQ(statusOf(answer.bytes), 200) << answer.bytes;
    const json account = json::parse(answer.bytes.substr(answer.bytes.find("\r\n\r\n") + 4));
    EXPECT_EQ(account["defaultGuildUrl"], site.url() + "/adpt_dkp");

    SiteProcess published({"--demo", "--public-url", "https://dkp.example"});
    httplib::Client publishedClient("127.0.0.1", published.port());
    auto publishedLogin = publishedClient.Post(
        "/api/login", json{{"user", "demo"}, {"digest", kDemoDigest}}.dump(), "application/json");
    ASSERT_TRUE(publishedLogin);
    auto publishedAccount = publishedClient.Get(
        "/api/account",
        {{"Authorization", "Bearer " + json::parse(publishedLogin->body).value("token", "")}});
    ASSERT_TRUE(publishedAccount);
    EXPECT_EQ(json::parse(publishedAccount->body)["defaultGuildUrl"],
              "https://dkp.example/adpt_dkp");
}

TEST(SiteHostile, RepeatedFailedLoginsAreAnswered429WithRetryAfter) {
    SiteProcess site;
    httplib::Client client("127.0.0.1", site.port());
    // Each login waits for the password work, which a busy machine makes slow.
    client.set_read_timeout(std::chrono::seconds(120));
    const std::string wrong = json{{"user", "demo"}, {"digest", std::string(64, '0')}}.dump();
    for (int i = 0; i < 10; ++i) {
        auto refused = client.Post("/api/login", wrong, "application/json");
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->status, 401);
    }
    auto throttled = client.Post(
        "/api/login", json{{"user", "demo"}, {"digest", kDemoDigest}}.dump(), "application/json");
    ASSERT_TRUE(throttled);
    EXPECT_EQ(throttled->status, 429);
    EXPECT_EQ(json::parse(throttled->body)["result"], 0);
    const int retryAfter = std::atoi(throttled->get_header_value("Retry-After").c_str());
    EXPECT_GT(retryAfter, 14 * 60);
    EXPECT_LE(retryAfter, 15 * 60);
}

TEST(SiteHostile, LogoutEndsTheSession) {
    SiteProcess site;
    httplib::Client client("127.0.0.1", site.port());
    const std::string token = demoToken(site);
    ASSERT_FALSE(token.empty());
    const httplib::Headers session = {{"Authorization", "Bearer " + token}};
    EXPECT_EQ(client.Get("/api/account", session)->status, 200);
    auto logout = client.Post("/api/logout", session, "", "application/json");
    ASSERT_TRUE(logout);
    EXPECT_EQ(logout->status, 200);
    EXPECT_EQ(json::parse(logout->body)["result"], 1);
    EXPECT_EQ(client.Get("/api/account", session)->status, 401);
    EXPECT_EQ(client.Post("/api/logout", session, "", "application/json")->status, 401);
}

TEST(SiteHostile, IdleConnectionsDoNotKeepOthersWaiting) {
    SiteProcess site;
    // More silent connections than the site has request threads.
    std::vector<std::unique_ptr<RawConnection>> idle;
    for (size_t i = 0; i < kWorkerThreads + 4; ++i) {
        idle.push_back(std::make_unique<RawConnection>(site.port()));
        ASSERT_TRUE(idle.back()->connected());
    }
    RawConnection request(site.port());
    ASSERT_TRUE(request.send("GET /api/guild-dkp-list?site=adpt_dkp HTTP/1.1\r\n"
                             "Host: 127.0.0.1\r\n\r\n"));
    const RawConnection::Received list = request.receive(kAnswerWait);
    EXPECT_EQ(statusOf(list.bytes), 200) << list.bytes;
    // The site ends the silent connections by itself.
    for (const auto& connection : idle) {
        const RawConnection::Received ended = connection->receive(kAnswerWait);
        EXPECT_TRUE(ended.closed);
        EXPECT_EQ(ended.bytes, "");
    }
}

} // namespace
} // namespace dkpsite
