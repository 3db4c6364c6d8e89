#include "gamefiles/addon_manager.h"
#include "gamefiles/dkp_list.h"

#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

using gamefiles::AddonManager;

namespace {

class Addons : public testing::Test {
protected:
    void SetUp() override {
        program_.write("Addonkit/TALLYRA/version.txt", "2.0\r\n");
        program_.write("Addonkit/TALLYRA/TALLYRA.lua", "mainland");
        program_.write("Addonkit/TALLYRA_TW/version.txt", "2.0-tw\r\n");
        program_.write("Addonkit/TALLYRA_TW/TALLYRA.lua", "taiwan");
        game_.makeFolder("Interface/AddOns");
    }

    testsupport::TemporaryFolder program_;
    testsupport::TemporaryFolder game_;
    AddonManager manager_{program_.folder()};
};

TEST_F(Addons, MissingInstalledAddonGetsTheMainlandVariant) {
    EXPECT_EQ(manager_.getInstalledVersion(game_.folder()), u"");
    EXPECT_EQ(manager_.getSourceVersion(game_.folder()), u"2.0\r\n");
    EXPECT_TRUE(manager_.installAddon(game_.folder()));
    EXPECT_EQ(game_.read("Interface/AddOns/TALLYRA/TALLYRA.lua"), "mainland");
    EXPECT_EQ(manager_.getInstalledVersion(game_.folder()), u"2.0\r\n");
}

TEST_F(Addons, TaiwanMarkerSelectsTheTaiwanVariantUnderTheSameName) {
    game_.write("Data/zhTW/realmlist.wtf", "");
    EXPECT_EQ(manager_.getSourceVersion(game_.folder()), u"2.0-tw\r\n");
    EXPECT_TRUE(manager_.installAddon(game_.folder()));
    EXPECT_EQ(game_.read("Interface/AddOns/TALLYRA/TALLYRA.lua"), "taiwan");
    EXPECT_FALSE(game_.exists("Interface/AddOns/TALLYRA_TW"));
}

TEST_F(Addons, VersionsDifferingInATrailingLineBreakCopyAndKeepExtraFiles) {
    game_.write("Interface/AddOns/TALLYRA/version.txt", "2.0\r");
    game_.write("Interface/AddOns/TALLYRA/TALLYRA.lua", "old");
    game_.write("Interface/AddOns/TALLYRA/MerDKP/dkp_list.lua", "the guild's list");
    EXPECT_TRUE(manager_.installAddon(game_.folder()));
    EXPECT_EQ(game_.read("Interface/AddOns/TALLYRA/TALLYRA.lua"), "mainland");
    EXPECT_EQ(game_.read("Interface/AddOns/TALLYRA/version.txt"), "2.0\r\n");
    EXPECT_EQ(game_.read("Interface/AddOns/TALLYRA/MerDKP/dkp_list.lua"), "the guild's list");
}

TEST_F(Addons, SecondCheckAfterACopyCopiesNothing) {
    ASSERT_TRUE(manager_.installAddon(game_.folder()));
    game_.write("Interface/AddOns/TALLYRA/TALLYRA.lua", "edited in the game folder");
    EXPECT_TRUE(manager_.installAddon(game_.folder()));
    EXPECT_EQ(game_.read("Interface/AddOns/TALLYRA/TALLYRA.lua"), "edited in the game folder");
}

TEST_F(Addons, NeitherVersionFileCopiesNothing) {
    std::filesystem::remove(program_.path("Addonkit/TALLYRA/version.txt"));
    EXPECT_TRUE(manager_.installAddon(game_.folder()));
    EXPECT_FALSE(game_.exists("Interface/AddOns/TALLYRA"));
}

TEST_F(Addons, MissingSourceVariantFailsAndLeavesTheInstalledAddon) {
    game_.write("Interface/AddOns/TALLYRA/version.txt", "1.0");
    std::filesystem::remove_all(program_.path("Addonkit"));
    EXPECT_FALSE(manager_.installAddon(game_.folder()));
    EXPECT_EQ(game_.read("Interface/AddOns/TALLYRA/version.txt"), "1.0");
}

TEST_F(Addons, PartlyFailedCopyIsTriedAgainAtTheNextCheck) {
    game_.write("Interface/AddOns/TALLYRA/version.txt", "1.0");
    game_.makeFolder("Interface/AddOns/TALLYRA/TALLYRA.lua/in the way");
    EXPECT_FALSE(manager_.installAddon(game_.folder()));
    EXPECT_EQ(game_.read("Interface/AddOns/TALLYRA/version.txt"), "1.0");
    EXPECT_FALSE(manager_.installAddon(game_.folder()));
    std::filesystem::remove_all(game_.path("Interface/AddOns/TALLYRA/TALLYRA.lua"));
    std::filesystem::remove(game_.path("Interface/AddOns/TALLYRA/version.txt"));
    game_.makeFolder("Interface/AddOns/TALLYRA/TALLYRA.lua/in the way");
    EXPECT_FALSE(manager_.installAddon(game_.folder()));
    EXPECT_FALSE(game_.exists("Interface/AddOns/TALLYRA/version.txt"));
}

TEST_F(Addons, WineSpellingOfTheAddonFolderIsUsed) {
    std::filesystem::rename(game_.path("Interface/AddOns"), game_.path("Interface/Addons"));
    EXPECT_TRUE(manager_.installAddon(game_.folder()));
    EXPECT_EQ(game_.read("Interface/Addons/TALLYRA/TALLYRA.lua"), "mainland");
    EXPECT_FALSE(game_.exists("Interface/AddOns"));
}

TEST_F(Addons, AnEmptyListIsPlacedOnlyWhereTheInstalledAddonHasNone) {
    program_.write("Addonkit/TALLYRA/MerDKP/MerDKP.lua", "reads the list");
    const std::string list = "Interface/AddOns/TALLYRA/MerDKP/dkp_list.lua";
    ASSERT_TRUE(manager_.installAddon(game_.folder()));
    EXPECT_EQ(game_.read(list), gamefiles::kEmptyDkpList);

    // A new addon version replaces the addon's files but never the guild's list.
    ASSERT_TRUE(gamefiles::writeDkpList(game_.folder(), "the guild's list"));
    program_.write("Addonkit/TALLYRA/version.txt", "2.1\r\n");
    program_.write("Addonkit/TALLYRA/MerDKP/MerDKP.lua", "reads the list, version 2.1");
    ASSERT_TRUE(manager_.installAddon(game_.folder()));
    EXPECT_EQ(game_.read("Interface/AddOns/TALLYRA/MerDKP/MerDKP.lua"),
              "reads the list, version 2.1");
    EXPECT_EQ(game_.read(list), "the guild's list");

    // A current addon whose list went away gets the empty one again, and is not copied anew.
    std::filesystem::remove(game_.path(list));
    game_.write("Interface/AddOns/TALLYRA/TALLYRA.lua", "edited in the game folder");
    ASSERT_TRUE(manager_.installAddon(game_.folder()));
    EXPECT_EQ(game_.read(list), gamefiles::kEmptyDkpList);
    ASSERT_TRUE(manager_.installAddon(game_.folder()));
    EXPECT_EQ(game_.read("Interface/AddOns/TALLYRA/TALLYRA.lua"), "edited in the game folder");
}

TEST(ShippedAddonkit, BothVariantsAreBesideTheProgramsWithVersionAndMerDkp) {
    for (const std::string variant : {"TALLYRA", "TALLYRA_TW"}) {
        const std::string folder = RL_BINARY_DIR "/bin/Addonkit/" + variant + "/";
        EXPECT_TRUE(std::filesystem::is_regular_file(folder + "version.txt")) << folder;
        EXPECT_TRUE(std::filesystem::is_regular_file(folder + "TALLYRA.toc")) << folder;
        EXPECT_TRUE(std::filesystem::is_directory(folder + "MerDKP")) << folder;
        // A shipped list would replace the guild's received one at every addon update.
        EXPECT_FALSE(std::filesystem::exists(folder + "MerDKP/dkp_list.lua")) << folder;
    }
}

} // namespace
