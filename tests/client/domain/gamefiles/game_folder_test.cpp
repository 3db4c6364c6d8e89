#include "gamefiles/game_folder.h"

#include "testsupport/temporary_folder.h"
#include "utilkit/ufile.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace gamefiles;

namespace {

class GameFolder : public testing::Test {
protected:
    void SetUp() override {
        ::setenv("WINEPREFIX", ufile::toNativePath(prefix_.folder()).c_str(), 1);
    }
    void TearDown() override { ::unsetenv("WINEPREFIX"); }
    void recordInstallation(const std::string& windowsPath) const {
        prefix_.makeFolder("drive_c");
        prefix_.write("system.reg", "WINE REGISTRY Version 2\n\n"
                                    "[Software\\\\Blizzard Entertainment\\\\World of Warcraft] 1\n"
                                    "\"InstallPath\"=\"" +
                                        windowsPath + "\"\n");
    }

    testsupport::TemporaryFolder prefix_;
    testsupport::TemporaryFolder game_;
    gamefiles::GameFolder folder_;
};

TEST_F(GameFolder, ConfiguredFolderThatExistsWins) {
    recordInstallation("C:\\\\WoW\\\\");
    folder_.setConfigured(game_.folder());
    EXPECT_EQ(folder_.current(), game_.folder());
}

TEST_F(GameFolder, VanishedConfiguredFolderFallsBackToTheRecordAndIsKept) {
    recordInstallation("C:\\\\WoW\\\\");
    const std::u16string vanished = game_.folder() + u"gone/";
    folder_.setConfigured(vanished);
    EXPECT_EQ(folder_.current(), prefix_.folder() + u"drive_c/WoW/");
    EXPECT_EQ(folder_.configured(), vanished);
    game_.makeFolder("gone");
    EXPECT_EQ(folder_.current(), vanished);
}

TEST_F(GameFolder, NoConfiguredFolderAndNoRecordGivesTheEmptyText) {
    EXPECT_EQ(folder_.current(), u"");
    folder_.setConfigured(game_.folder() + u"missing/");
    EXPECT_EQ(folder_.current(), u"");
}

TEST_F(GameFolder, OnlyFoldersWithTheGamesOwnSavedVariablesAreAccounts) {
    game_.write("WTF/Account/ALICE/SavedVariables.lua", "");
    game_.write("WTF/Account/BOB/SavedVariables/TALLYRA.lua", "x"); // no SavedVariables.lua
    game_.write("WTF/Account/CAROL/Deeper/SavedVariables.lua", "");
    game_.write("WTF/Account/plain.txt", "");
    game_.write("WTF/Account/SavedVariables.lua", "");
    game_.write("WTF/Account/角色/SavedVariables.lua", "");
    std::vector<std::u16string> accounts{u"kept"};
    getAccounts(game_.folder(), accounts);
    std::sort(accounts.begin() + 1, accounts.end());
    EXPECT_EQ(accounts, (std::vector<std::u16string>{u"kept", u"ALICE", u"角色"}));
}

TEST_F(GameFolder, AccountsComeFromTheCurrentGameFolderInAnyCase) {
    game_.write("wtf/account/ALICE/SavedVariables.lua", "");
    folder_.setConfigured(game_.folder());
    std::vector<std::u16string> accounts;
    getAccounts(folder_.current(), accounts);
    EXPECT_EQ(accounts, std::vector<std::u16string>{u"ALICE"});
    EXPECT_EQ(getAddonDataFile(game_.folder(), u"ALICE"),
              game_.folder() + u"wtf/account/ALICE/SavedVariables/TALLYRA.lua");
    accounts.clear();
    getAccounts(game_.folder() + u"nothing/", accounts);
    EXPECT_TRUE(accounts.empty());
}

TEST_F(GameFolder, TaiwanMarkerMakesItNoMainlandClientEvenWhenEmpty) {
    EXPECT_TRUE(isMainlandClient(game_.folder()));
    game_.write("Data/zhCN/realmlist.wtf", "set realmlist x");
    EXPECT_TRUE(isMainlandClient(game_.folder()));
    game_.write("Data/zhTW/realmlist.wtf", "");
    EXPECT_FALSE(isMainlandClient(game_.folder()));
}

} // namespace
