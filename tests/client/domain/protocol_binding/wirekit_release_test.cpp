// Giving the protocol library back at shut-down, with transfers under way.
#include "protocol_binding/protocol_binding.h"
#include "testsupport/queue_dispatcher.h"
#include "testsupport/recording_listeners.h"
#include "testsupport/silent_site.h"

#include <future>
#include <gtest/gtest.h>

namespace {

using namespace wirekit_testing;
using namespace std::chrono_literals;

// The protocol library bound as the client binds it, with listeners on every service.
class WirekitReleaseTest : public ::testing::Test {
protected:
    void SetUp() override { bind(); }
    void TearDown() override {
        forget();
        binding_.unbind();
    }

    void bind() {
        std::u16string error;
        ASSERT_TRUE(binding_.bind(error));
        binding_.installDispatcher(&dispatcher_);
        manager_ = binding_.manager();
        manager_->getLoginService()->addListener(&logins_);
        manager_->getEventUploadService()->addListener(&uploads_);
        manager_->getGuildDkpService()->addListener(&lists_);
    }
    // The manager outlives its release, and so do the listeners registered with it.
    void forget() {
        manager_->getLoginService()->removeListener(&logins_);
        manager_->getEventUploadService()->removeListener(&uploads_);
        manager_->getGuildDkpService()->removeListener(&lists_);
    }

    // Releases the library on another thread; false when the release did not end in `limit`.
    bool unbindWithin(std::chrono::seconds limit) {
        auto released = std::async(std::launch::async, [this] { binding_.unbind(); });
        return released.wait_for(limit) == std::future_status::ready;
    }

    // Waits, without running it, until the library has handed an answer to the dispatcher.
    bool waitUntilPosted() {
        for (int tries = 0; tries < 2000 && dispatcher_.posters().empty(); ++tries)
            std::this_thread::sleep_for(10ms);
        return !dispatcher_.posters().empty();
    }

    std::size_t listenerCalls() const {
        return logins_.results.size() + uploads_.results.size() + lists_.lists.size();
    }

    testsupport::QueueDispatcher dispatcher_;
    protocol_binding::ProtocolBinding binding_;
    protocol::ProtocolManager* manager_ = nullptr;
    LoginRecorder logins_;
    UploadRecorder uploads_;
    GuildListRecorder lists_;
};

TEST_F(WirekitReleaseTest, ReleaseEndsTransfersUnderWayAndAnswersNothingMore) {
    // One answer already waits for the user-interface thread when the library is released.
    binding_.setSiteUrl("");
    binding_.manager()->getLoginService()->login(u"demo", "digest");
    ASSERT_TRUE(waitUntilPosted());

    SilentSite site;
    binding_.setSiteUrl(site.url());
    binding_.manager()->getEventUploadService()->uploadEvent(u"g", 1, u"e", u"n", u"<RaidInfo>");
    binding_.manager()->getGuildDkpService()->requestGuildDkpList("adpt_dkp", true);
    ASSERT_TRUE(site.waitForConnections(2, 20s));

    // Well inside the library's own time limit (60 s): only the release can end the transfers.
    ASSERT_TRUE(unbindWithin(20s));
    EXPECT_TRUE(site.allClosedByClient(5s));
    dispatcher_.runPending();
    EXPECT_EQ(listenerCalls(), 0u);
}

TEST_F(WirekitReleaseTest, BindingAgainAfterAReleaseAnswersAgain) {
    ASSERT_TRUE(unbindWithin(20s));
    bind();
    binding_.setSiteUrl("");
    binding_.manager()->getLoginService()->login(u"demo", "digest");
    EXPECT_TRUE(dispatcher_.runUntil([this] { return !logins_.results.empty(); }, 20s));
    EXPECT_EQ(logins_.results, (std::vector<std::pair<std::int32_t, std::uint32_t>>{{0, 1}}));
}

TEST_F(WirekitReleaseTest, OnlyTheLastHolderStopsTheLibrary) {
    protocol_binding::ProtocolBinding other;
    std::u16string error;
    ASSERT_TRUE(other.bind(error));
    other.unbind();
    binding_.setSiteUrl("");
    binding_.manager()->getLoginService()->login(u"demo", "digest");
    EXPECT_TRUE(dispatcher_.runUntil([this] { return !logins_.results.empty(); }, 20s));
}

} // namespace
