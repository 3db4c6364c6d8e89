#include "protocol_binding/protocol_binding.h"
#include "testsupport/wirekit_fixture.h"

namespace {

TEST(ProtocolBinding, LooksInTheProgramFolderFirst) {
    EXPECT_EQ(protocol_binding::wirekitCandidates("/opt/app/bin/"),
              (std::vector<std::string>{"/opt/app/bin/libwirekit.so",
                                        "/opt/app/bin/../lib/libwirekit.so", "libwirekit.so"}));
}

TEST(ProtocolBinding, MissingLibraryIsAClearError) {
    protocol_binding::ProtocolBinding binding;
    std::u16string error;
    EXPECT_FALSE(binding.bindFrom({"/nonexistent/libwirekit.so"}, error));
    EXPECT_FALSE(binding.isBound());
    EXPECT_NE(error.find(u"wirekit"), std::u16string::npos);
}

TEST(ProtocolBinding, LibraryWithoutTheEntryIsAClearError) {
    protocol_binding::ProtocolBinding binding;
    std::u16string error;
    // A real shared library, but not the protocol library.
    EXPECT_FALSE(binding.bindFrom({"libcurl.so.4"}, error));
    EXPECT_FALSE(binding.isBound());
    EXPECT_NE(error.find(u"getProtocolManager"), std::u16string::npos);
}

TEST(ProtocolBinding, LibraryThatCannotGiveTheManagerBackIsRefusedBeforeItHandsOneOut) {
    protocol_binding::ProtocolBinding binding;
    std::u16string error;
    // Its getProtocolManager aborts: the binding must not call it.
    EXPECT_FALSE(binding.bindFrom({RL_BINARY_DIR "/lib/libolder_wirekit.so"}, error));
    EXPECT_FALSE(binding.isBound());
    EXPECT_NE(error.find(u"releaseProtocolManager"), std::u16string::npos);
}

TEST(ProtocolBinding, BindsOnceAndHandsOutOneManager) {
    auto& wirekit = wirekit_testing::wirekit();
    ASSERT_TRUE(wirekit.binding.isBound());
    protocol::ProtocolManager* first = wirekit.binding.manager();
    std::u16string error;
    EXPECT_TRUE(wirekit.binding.bind(error)); // already bound: nothing happens
    EXPECT_EQ(wirekit.binding.manager(), first);
    // A second binding reaches the same library and the same manager.
    protocol_binding::ProtocolBinding other;
    ASSERT_TRUE(other.bind(error));
    EXPECT_EQ(other.manager(), first);
    EXPECT_NE(first->getAccountService(), nullptr);
    EXPECT_NE(first->getLoginService(), nullptr);
    EXPECT_NE(first->getEventUploadService(), nullptr);
    EXPECT_NE(first->getGuildDkpService(), nullptr);
}

} // namespace
