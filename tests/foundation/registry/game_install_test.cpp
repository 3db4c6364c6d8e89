#include "registry/game_install.h"

#include "registry/wine_registry.h"
#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class GameInstall : public testing::Test {
protected:
    void SetUp() override {
        folder_.makeFolder("drive_c");
        ::setenv("WINEPREFIX", root_.c_str(), 1);
    }
    void TearDown() override { ::unsetenv("WINEPREFIX"); }
    void writeSystemReg(const std::string& body) {
        std::ofstream(root_ / "system.reg") << "WINE REGISTRY Version 2\n\n" << body;
    }
    std::u16string prefix() const { return folder_.folder(); }

    const testsupport::TemporaryFolder folder_{"rl_wine"};
    const fs::path root_ = folder_.path();
};

TEST_F(GameInstall, NativeKeyMapsOntoThePrefix) {
    writeSystemReg("[Software\\\\Blizzard Entertainment\\\\World of Warcraft] 1\n"
                   "\"InstallPath\"=\"C:\\\\WoW\\\\\"\n");
    EXPECT_EQ(registry::readGameInstallPath(), prefix() + u"drive_c/WoW/");
}

TEST_F(GameInstall, ThirtyTwoBitTwinIsUsedWhenTheNativeKeyIsMissing) {
    writeSystemReg("[Software\\\\Wow6432Node\\\\Blizzard Entertainment\\\\World of Warcraft] 1\n"
                   "\"InstallPath\"=\"C:\\\\Program Files (x86)\\\\World of Warcraft\"\n");
    // The record lacks the final separator; the folder still ends in one.
    EXPECT_EQ(registry::readGameInstallPath(),
              prefix() + u"drive_c/Program Files (x86)/World of Warcraft/");
}

TEST_F(GameInstall, NoRecordOrNoPrefixGivesTheEmptyText) {
    writeSystemReg("[Software\\\\Other] 1\n\"InstallPath\"=\"C:\\\\WoW\\\\\"\n");
    EXPECT_EQ(registry::readGameInstallPath(), u"");
    fs::remove(root_ / "system.reg");
    EXPECT_EQ(registry::readGameInstallPath(), u"");
}

TEST_F(GameInstall, DefaultPrefixIsDotWineInTheHomeFolder) {
    ::unsetenv("WINEPREFIX");
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    ::setenv("HOME", root_.c_str(), 1);
    EXPECT_EQ(registry::winePrefix(), prefix() + u".wine/");
    fs::create_directories(root_ / ".wine/drive_c");
    std::ofstream(root_ / ".wine/system.reg")
        << "[Software\\\\Blizzard Entertainment\\\\World of Warcraft] 1\n"
           "\"InstallPath\"=\"C:\\\\WoW\\\\\"\n";
    EXPECT_EQ(registry::readGameInstallPath(), prefix() + u".wine/drive_c/WoW/");
    ::setenv("HOME", savedHome.c_str(), 1);
}

} // namespace
