// wirekit against sites that fail: not running, erring, talking nonsense, too slow.
#include "testsupport/recording_listeners.h"
#include "testsupport/wirekit_fixture.h"

#include <atomic>
#include <condition_variable>
#include <httplib.h>
#include <thread>

namespace {

using namespace wirekit_testing;

// An HTTP server in the test process that answers every request through `respond`.
class FakeSite {
public:
    using Respond = std::function<void(const httplib::Request&, httplib::Response&)>;

    explicit FakeSite(Respond respond) {
        auto handler = [respond](const httplib::Request& req, httplib::Response& res) {
            respond(req, res);
        };
        server_.Get(".*", handler);
        server_.Post(".*", handler);
        // Bound and listening from here on; connections wait until the loop accepts them.
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        // stop() only ends a loop that has started.
        while (!server_.is_running())
            std::this_thread::yield();
    }
    ~FakeSite() {
        server_.stop();
        thread_.join();
    }

    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_); }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

// Lets a request handler hold its answer until the test releases it.
class Gate {
public:
    void open() {
        {
            std::lock_guard lock(mutex_);
            open_ = true;
        }
        wake_.notify_all();
    }
    // Waits for the gate; false when it stayed shut for `limit`.
    bool wait(std::chrono::seconds limit = std::chrono::seconds(20)) {
        std::unique_lock lock(mutex_);
        return wake_.wait_for(lock, limit, [this] { return open_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool open_ = false;
};

class WirekitFailureTest : public ::testing::Test {
protected:
    ~WirekitFailureTest() override {
        wirekit().binding.setRequestTimeouts(0, 0);
        wirekit().binding.setSiteUrl("");
    }

    protocol::ProtocolManager& manager() { return wirekit().manager(); }
    QueueDispatcher& dispatcher() { return wirekit().dispatcher; }

    std::pair<std::int32_t, std::uint32_t> login() {
        LoginRecorder recorder;
        manager().getLoginService()->addListener(&recorder);
        manager().getLoginService()->login(u"demo", "digest");
        EXPECT_TRUE(dispatcher().runUntil([&] { return !recorder.results.empty(); }));
        manager().getLoginService()->removeListener(&recorder);
        return recorder.results.empty() ? std::make_pair(-1, 0u) : recorder.results[0];
    }

    std::tuple<std::int32_t, std::uint32_t, std::int32_t> upload() {
        UploadRecorder recorder;
        manager().getEventUploadService()->addListener(&recorder);
        manager().getEventUploadService()->uploadEvent(u"g", 1, u"e", u"n", u"<RaidInfo>");
        EXPECT_TRUE(dispatcher().runUntil([&] { return !recorder.results.empty(); }));
        manager().getEventUploadService()->removeListener(&recorder);
        return recorder.results.empty() ? std::make_tuple(-1, 0u, -1) : recorder.results[0];
    }

    // Asks for the list of site "bad", then for site "good"; gives the lists that arrived.
    std::vector<std::string> guildListsAfterABadOne() {
        GuildListRecorder recorder;
        protocol::GuildDkpService* guilds = manager().getGuildDkpService();
        guilds->addListener(&recorder);
        guilds->requestGuildDkpList("bad", true);
        guilds->requestGuildDkpList("good", false);
        // Requests are answered in order, so once "good" is in, "bad" has had its chance.
        EXPECT_TRUE(dispatcher().runUntil([&] { return !recorder.lists.empty(); }));
        dispatcher().runPending();
        guilds->removeListener(&recorder);
        return recorder.lists;
    }
};

const std::string kGoodList = "Mer_DKP_UPDATETIME = \"1\";\nMerDKP_Table = {}\n";

TEST_F(WirekitFailureTest, SiteNotRunning) {
    std::string url;
    {
        FakeSite gone([](const httplib::Request&, httplib::Response&) {});
        url = gone.url();
    }
    wirekit().binding.setSiteUrl(url);
    EXPECT_EQ(login(), std::make_pair(0, 2u));
    EXPECT_EQ(upload(), std::make_tuple(0, 2u, 0));
}

TEST_F(WirekitFailureTest, SiteAnswering500) {
    FakeSite site([](const httplib::Request& req, httplib::Response& res) {
        if (req.get_param_value("site") == "good")
            return res.set_content(kGoodList, "text/plain");
        res.status = 500;
        res.set_content("{\"result\":1,\"token\":\"t\",\"status\":200,\"eventId\":5}",
                        "application/json");
    });
    wirekit().binding.setSiteUrl(site.url());
    EXPECT_EQ(login(), std::make_pair(0, 4u));
    EXPECT_EQ(upload(), std::make_tuple(500, 4u, 0));
    EXPECT_EQ(guildListsAfterABadOne(), std::vector<std::string>{kGoodList});
}

TEST_F(WirekitFailureTest, SiteAnsweringGarbage) {
    FakeSite site([](const httplib::Request& req, httplib::Response& res) {
        if (req.get_param_value("site") == "good")
            return res.set_content(kGoodList, "text/plain");
        res.set_content("<html>\x01\xff not json", "application/json");
    });
    wirekit().binding.setSiteUrl(site.url());
    EXPECT_EQ(login(), std::make_pair(0, 5u));
    EXPECT_EQ(upload(), std::make_tuple(0, 5u, 0));
    EXPECT_EQ(guildListsAfterABadOne(), std::vector<std::string>{kGoodList});
}

TEST_F(WirekitFailureTest, AnswersThatAreJsonButNotTheRightShape) {
    std::atomic<int> which{0};
    const std::vector<std::string> bodies = {
        "{\"result\":1}",                          // no token
        "{\"result\":\"1\",\"token\":\"t\"}",      // result not a number
        "{\"status\":200}",                        // no event number
        "{\"status\":200,\"eventId\":4294967296}", // does not fit
        "{\"status\":200,\"eventId\":0}",          // not an event number
    };
    FakeSite site([&](const httplib::Request&, httplib::Response& res) {
        res.set_content(bodies[static_cast<size_t>(which.load())], "application/json");
    });
    wirekit().binding.setSiteUrl(site.url());
    EXPECT_EQ(login(), std::make_pair(0, 5u));
    which = 1;
    EXPECT_EQ(login(), std::make_pair(0, 5u));
    for (int i = 2; i < 5; ++i) {
        which = i;
        EXPECT_EQ(upload(), std::make_tuple(0, 5u, 0)) << bodies[static_cast<size_t>(i)];
    }
}

TEST_F(WirekitFailureTest, LoginSucceedsOnlyWithItsAccountData) {
    FakeSite site([](const httplib::Request& req, httplib::Response& res) {
        if (req.path == "/api/login")
            return res.set_content("{\"result\":1,\"token\":\"t\"}", "application/json");
        res.set_content("{\"user\":\"u\",\"guilds\":[]}", "application/json");
    });
    wirekit().binding.setSiteUrl(site.url());
    EXPECT_EQ(login(), std::make_pair(0, 5u));
}

TEST_F(WirekitFailureTest, SiteAnsweringTooSlowly) {
    Gate release;
    FakeSite site([&](const httplib::Request&, httplib::Response& res) {
        release.wait();
        res.set_content(kGoodList, "text/plain");
    });
    wirekit().binding.setSiteUrl(site.url());
    wirekit().binding.setRequestTimeouts(0, 300);
    const auto loginResult = login();
    const auto uploadResult = upload();
    release.open();
    EXPECT_EQ(loginResult, std::make_pair(0, 3u));
    EXPECT_EQ(uploadResult, std::make_tuple(0, 3u, 0));
}

TEST_F(WirekitFailureTest, CallingThreadIsNotBlockedWhileTheSiteThinks) {
    Gate callReturned;
    std::atomic<bool> answeredAfterReturn{false};
    FakeSite site([&](const httplib::Request&, httplib::Response& res) {
        // The request is held until the call that started it has returned.
        answeredAfterReturn = callReturned.wait();
        res.status = 503;
    });
    wirekit().binding.setSiteUrl(site.url());
    LoginRecorder recorder;
    UploadRecorder uploadRecorder;
    manager().getLoginService()->addListener(&recorder);
    manager().getEventUploadService()->addListener(&uploadRecorder);
    manager().getLoginService()->login(u"demo", "digest");
    manager().getEventUploadService()->uploadEvent(u"g", 1, u"e", u"", u"");
    callReturned.open();
    EXPECT_TRUE(dispatcher().runUntil(
        [&] { return !recorder.results.empty() && !uploadRecorder.results.empty(); }));
    manager().getLoginService()->removeListener(&recorder);
    manager().getEventUploadService()->removeListener(&uploadRecorder);
    EXPECT_TRUE(answeredAfterReturn);
    EXPECT_EQ(recorder.results.at(0), std::make_pair(0, 4u));
    EXPECT_EQ(std::get<0>(uploadRecorder.results.at(0)), 503);
}

} // namespace
