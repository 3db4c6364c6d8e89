#include "gamefiles/game_folder.h"
#include "gamefiles/raid_loading.h"

#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

using gamefiles::loadRaids;

namespace {

TEST(RaidLoading, AccountsAddonDataFileGivesItsRaidsWithChineseNames) {
    testsupport::TemporaryFolder game;
    game.makeFolder("wtf/Account/ALICE/SavedVariables");
    std::filesystem::copy_file(RL_SOURCE_DIR "/tests/data/TALLYRA.lua",
                               game.path("wtf/Account/ALICE/SavedVariables/TALLYRA.lua"));
    const auto loaded = loadRaids(game.folder(), u"ALICE");
    const auto raids = loaded.getRaids();
    ASSERT_EQ(raids.size(), 4u);
    EXPECT_EQ(raids[0]->getRaidName(), u"08/01/25 20:03:13(纳克萨玛斯)");
    EXPECT_EQ(raids[0]->getMembers().front().name, u"暗影之刃");
}

TEST(RaidLoading, MissingFileOrRaidLogGivesAnEmptyList) {
    testsupport::TemporaryFolder game;
    EXPECT_TRUE(loadRaids(game.folder(), u"NOBODY").getRaids().empty());
    game.write("WTF/Account/BOB/SavedVariables/TALLYRA.lua", "MerDKP_Options = {\n}\n");
    const auto loaded = loadRaids(game.folder(), u"BOB");
    EXPECT_TRUE(loaded.getRaids().empty());
    EXPECT_TRUE(gamefiles::LoadedRaids{}.getRaids().empty());
    EXPECT_FALSE(loaded.tooLarge);
}

// The file is sparse: the test writes only its first line.
TEST(RaidLoading, AFileOver2GiBIsMarkedTooLargeAndNamed) {
    testsupport::TemporaryFolder game;
    const std::string file = "WTF/Account/BIG/SavedVariables/TALLYRA.lua";
    game.write(file, "CT_RaidTracker_RaidLog = {\n\t{\n\t}, -- [1]\n}\n");
    std::filesystem::resize_file(game.path(file), std::uintmax_t{1} << 31);
    const auto loaded = loadRaids(game.folder(), u"BIG");
    EXPECT_TRUE(loaded.tooLarge);
    EXPECT_TRUE(loaded.getRaids().empty());
    EXPECT_EQ(loaded.file, gamefiles::getAddonDataFile(game.folder(), u"BIG"));
}

} // namespace
