#include "registry/wine_registry.h"

#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using registry::findStringValue;
using registry::mapWindowsPath;

namespace {

constexpr std::u16string_view kKey = u"Software\\Blizzard Entertainment\\World of Warcraft";

TEST(WineRegistryFile, ReadsAStringValueOfTheKey) {
    const std::string text =
        "WINE REGISTRY Version 2\n"
        ";; All keys relative to \\\\Machine\n\n"
        "[Software\\\\Blizzard Entertainment] 1600000000\n"
        "\"InstallPath\"=\"C:\\\\wrong\\\\\"\n\n"
        "[Software\\\\Blizzard Entertainment\\\\World of Warcraft] 1600000000\n"
        "#time=1d6f0a1b2c3d4e5\n"
        "\"GamePath\"=\"C:\\\\Games\\\\Wow.exe\"\n"
        "\"InstallPath\"=\"C:\\\\Games\\\\World of Warcraft\\\\\"\n";
    EXPECT_EQ(findStringValue(text, kKey, u"InstallPath"), u"C:\\Games\\World of Warcraft\\");
    EXPECT_EQ(findStringValue(text, u"software\\blizzard entertainment\\world of warcraft",
                              u"installpath"),
              u"C:\\Games\\World of Warcraft\\");
    EXPECT_EQ(findStringValue(text, kKey, u"Missing"), std::nullopt);
    EXPECT_EQ(findStringValue(text, u"Software\\Other", u"InstallPath"), std::nullopt);
}

TEST(WineRegistryFile, UnescapesHexOctalAndQuotes) {
    const std::string text = "[A\\\\B] 1\r\n"
                             "\"Name\"=\"D:\\\\\\x6e38\\x620f\\\\say \\\"hi\\\"\\t\\101\"\r\n"
                             "\"Expand\"=str(2):\"%ProgramFiles%\\\\WoW\"\r\n"
                             "\"Number\"=dword:00000001\r\n"
                             "@=\"default\"\r\n";
    EXPECT_EQ(findStringValue(text, u"A\\B", u"Name"), u"D:\\游戏\\say \"hi\"\tA");
    EXPECT_EQ(findStringValue(text, u"A\\B", u"Expand"), u"%ProgramFiles%\\WoW");
    EXPECT_EQ(findStringValue(text, u"A\\B", u"Number"), std::nullopt);
    EXPECT_EQ(findStringValue(text, u"A\\B", u"@"), u"default");
}

TEST(WineRegistryFile, BrokenLinesAreSkippedWithoutHarm) {
    const std::string text = "[A\\\\B\n\"InstallPath\"=\"x\"\n"
                             "[A] 1\n\"InstallPath\"=\"unterminated\n\"Other\n";
    EXPECT_EQ(findStringValue(text, u"A\\B", u"InstallPath"), std::nullopt);
    EXPECT_EQ(findStringValue(text, u"A", u"InstallPath"), std::nullopt);
    EXPECT_EQ(findStringValue("", u"A", u"x"), std::nullopt);
}

class WindowsPaths : public testing::Test {
protected:
    const testsupport::TemporaryFolder folder_{"rl_prefix"};
    const fs::path root_ = folder_.path();
    const std::u16string prefix_ = folder_.folder();
};

TEST_F(WindowsPaths, DriveCMapsOntoDriveCWithCaseInsensitiveFolders) {
    fs::create_directories(root_ / "drive_c/Program Files/World of Warcraft");
    EXPECT_EQ(mapWindowsPath(prefix_, u"c:\\PROGRAM FILES\\World Of Warcraft\\"),
              prefix_ + u"drive_c/Program Files/World of Warcraft/");
    EXPECT_EQ(mapWindowsPath(prefix_, u"C:\\Games\\\\WoW"), prefix_ + u"drive_c/Games/WoW");
}

TEST_F(WindowsPaths, OtherDrivesAndAMissingDriveCGoThroughDosDevices) {
    EXPECT_EQ(mapWindowsPath(prefix_, u"D:\\WoW\\"), prefix_ + u"dosdevices/d:/WoW/");
    EXPECT_EQ(mapWindowsPath(prefix_, u"C:\\WoW\\"), prefix_ + u"dosdevices/c:/WoW/");
}

TEST_F(WindowsPaths, PathsWithoutADriveMapToNothing) {
    EXPECT_EQ(mapWindowsPath(prefix_, u"\\\\server\\share\\WoW"), u"");
    EXPECT_EQ(mapWindowsPath(prefix_, u"C:WoW"), u"");
    EXPECT_EQ(mapWindowsPath(prefix_, u"WoW"), u"");
    EXPECT_EQ(mapWindowsPath(prefix_, u""), u"");
}

} // namespace
