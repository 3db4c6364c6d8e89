#include "gamefiles/addon_backup.h"
#include "gamefiles/folder_move.h"

#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

using namespace gamefiles;

namespace {

constexpr const char* kBackup = "Interface/TALLYRA_AUTO_BACK/";

TEST(StandaloneAddons, WithoutThemOnlyTheBackupFolderIsMade) {
    testsupport::TemporaryFolder game;
    game.makeFolder("Interface/AddOns/TALLYRA");
    backupStandaloneAddons(game.folder());
    EXPECT_TRUE(std::filesystem::is_directory(game.path(kBackup)));
    EXPECT_TRUE(std::filesystem::is_empty(game.path(kBackup)));
    EXPECT_TRUE(game.exists("Interface/AddOns/TALLYRA"));
}

TEST(StandaloneAddons, AreMovedIntoTheBackupFolder) {
    testsupport::TemporaryFolder game;
    game.write("Interface/AddOns/CT_RaidTracker/CT_RaidTracker.lua", "tracker");
    game.write("Interface/AddOns/MerDKP/MerDKP.lua", "merdkp");
    game.write("Interface/AddOns/MerDKP/locale/zhCN.lua", "locale");
    backupStandaloneAddons(game.folder());
    EXPECT_EQ(game.read(std::string(kBackup) + "CT_RaidTracker/CT_RaidTracker.lua"), "tracker");
    EXPECT_EQ(game.read(std::string(kBackup) + "MerDKP/MerDKP.lua"), "merdkp");
    EXPECT_EQ(game.read(std::string(kBackup) + "MerDKP/locale/zhCN.lua"), "locale");
    EXPECT_FALSE(game.exists("Interface/AddOns/CT_RaidTracker"));
    EXPECT_FALSE(game.exists("Interface/AddOns/MerDKP"));
}

TEST(StandaloneAddons, WineSpelledFoldersAreFoundAndReused) {
    testsupport::TemporaryFolder game;
    game.write("interface/Addons/merdkp/MerDKP.lua", "merdkp");
    game.makeFolder("interface/tallyra_auto_back");
    backupStandaloneAddons(game.folder());
    EXPECT_EQ(game.read("interface/tallyra_auto_back/MerDKP/MerDKP.lua"), "merdkp");
    EXPECT_FALSE(game.exists("interface/Addons/merdkp"));
}

TEST(StandaloneAddons, EarlierBackupKeepsItsContentAndTheNewerCopyIsKeptBeside) {
    testsupport::TemporaryFolder game;
    game.write("Interface/AddOns/MerDKP/MerDKP.lua", "first");
    backupStandaloneAddons(game.folder());
    game.write("Interface/AddOns/MerDKP/MerDKP.lua", "second");
    game.write("Interface/AddOns/MerDKP/new.lua", "new");
    backupStandaloneAddons(game.folder());
    EXPECT_EQ(game.read(std::string(kBackup) + "MerDKP/MerDKP.lua"), "first");
    EXPECT_EQ(game.read(std::string(kBackup) + "MerDKP/new.lua"), "new");
    EXPECT_FALSE(game.exists("Interface/AddOns/MerDKP"));
    int dated = 0;
    for (const auto& entry : std::filesystem::directory_iterator(game.path(kBackup))) {
        if (entry.path().filename().string().starts_with("MerDKP_")) {
            ++dated;
            EXPECT_EQ(
                game.read(std::string(kBackup) + entry.path().filename().string() + "/MerDKP.lua"),
                "second");
        }
    }
    EXPECT_EQ(dated, 1);
}

TEST(StandaloneAddons, SameAddonAgainNeedsNoSecondCopy) {
    testsupport::TemporaryFolder game;
    game.write("Interface/AddOns/MerDKP/MerDKP.lua", "same");
    backupStandaloneAddons(game.folder());
    game.write("Interface/AddOns/MerDKP/MerDKP.lua", "same");
    backupStandaloneAddons(game.folder());
    EXPECT_FALSE(game.exists("Interface/AddOns/MerDKP"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(game.path(kBackup)),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(StandaloneAddons, FailedCopyDeletesNothing) {
    testsupport::TemporaryFolder game;
    game.write("Interface/AddOns/MerDKP/MerDKP.lua", "merdkp");
    game.write("Interface/AddOns/CT_RaidTracker/CT_RaidTracker.lua", "tracker");
    game.write(std::string(kBackup) + "MerDKP", "a file where the backup folder should go");
    backupStandaloneAddons(game.folder());
    EXPECT_EQ(game.read("Interface/AddOns/MerDKP/MerDKP.lua"), "merdkp");
    EXPECT_FALSE(game.exists("Interface/AddOns/CT_RaidTracker"));
}

TEST(FolderMove, DatedFolderNamesAreLocalTimeAndNeverReused) {
    testsupport::TemporaryFolder root;
    root.write("source/a.txt", "one");
    root.write("target/a.txt", "zero");
    const std::time_t noonInShanghai = 1181275200; // 2007-06-08 12:00:00 +08:00
    EXPECT_EQ(
        moveFolderAside(root.folder() + u"source", root.folder() + u"target/", noonInShanghai),
        FolderMove::Moved);
    root.write("source/a.txt", "two");
    EXPECT_EQ(moveFolderAside(root.folder() + u"source", root.folder() + u"target", noonInShanghai),
              FolderMove::Moved);
    EXPECT_EQ(root.read("target/a.txt"), "zero");
    EXPECT_EQ(root.read("target_20070608_120000/a.txt"), "one");
    EXPECT_EQ(root.read("target_20070608_120000_2/a.txt"), "two");
    EXPECT_EQ(moveFolderAside(root.folder() + u"source", root.folder() + u"target", noonInShanghai),
              FolderMove::NothingToMove);
}

TEST(FolderMove, LinkedSourceFolderLosesOnlyTheLink) {
    testsupport::TemporaryFolder root;
    root.write("elsewhere/a.txt", "kept");
    std::filesystem::create_directory_symlink(root.path("elsewhere"), root.path("source"));
    EXPECT_EQ(moveFolderAside(root.folder() + u"source/", root.folder() + u"target"),
              FolderMove::Moved);
    EXPECT_EQ(root.read("elsewhere/a.txt"), "kept");
    EXPECT_EQ(root.read("target/a.txt"), "kept");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(root.path("source"))));
}

} // namespace
