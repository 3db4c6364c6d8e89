#include "autostart/autostart_entry.h"

#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

class AutostartEntryTest : public testing::Test {
protected:
    void SetUp() override { setenv("XDG_CONFIG_HOME", home_.c_str(), 1); }
    void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }

    std::string entryText() const {
        std::string text;
        ufile::ReadFileData(autostart::AutostartEntry::entryPath(), text);
        return text;
    }
    void writeEntry(const std::string& text) const {
        fs::create_directories(home_ / "autostart");
        ASSERT_TRUE(ufile::WriteFileData(autostart::AutostartEntry::entryPath(), text));
    }

    const testsupport::TemporaryFolder folder_{"autostart_test"};
    const fs::path home_ = folder_.path();
};

TEST_F(AutostartEntryTest, LivesInTheAutostartFolderOfTheConfiguration) {
    EXPECT_EQ(ustring::toUtf8(autostart::AutostartEntry::entryPath()),
              (home_ / "autostart" / "TALLYRA.desktop").string());
    EXPECT_EQ(autostart::AutostartEntry::expectedCommand(),
              ufile::GetModulePathDir() + u"Ledgerboot");
}

TEST_F(AutostartEntryTest, RegistersUnregistersAndWritesOnlyWhenNeeded) {
    autostart::AutostartEntry entry;
    EXPECT_FALSE(entry.isRegistered());
    entry.setRegistered(true);
    EXPECT_TRUE(entry.isRegistered());
    EXPECT_NE(entryText().find("Exec="), std::string::npos);

    // A second registration finds the entry equal and leaves the file as it is.
    writeEntry(entryText() + "# kept\n");
    entry.setRegistered(true);
    EXPECT_NE(entryText().find("# kept"), std::string::npos);
    EXPECT_TRUE(entry.isRegistered());

    entry.setRegistered(false);
    EXPECT_FALSE(entry.isRegistered());
    EXPECT_FALSE(fs::exists(home_ / "autostart" / "TALLYRA.desktop"));
    entry.setRegistered(false); // nothing to remove: no error
}

TEST_F(AutostartEntryTest, AnEntryStartingSomethingElseIsReplaced) {
    writeEntry("[Desktop Entry]\nType=Application\nExec=/opt/other/Ledgerboot\n");
    autostart::AutostartEntry entry;
    EXPECT_FALSE(entry.isRegistered());
    entry.setRegistered(true);
    EXPECT_TRUE(entry.isRegistered());
    EXPECT_EQ(entryText().find("/opt/other"), std::string::npos);
}

TEST_F(AutostartEntryTest, ArgumentsHiddenEntriesAndOtherGroupsDoNotCount) {
    const std::string command = ustring::toUtf8(autostart::AutostartEntry::expectedCommand());
    autostart::AutostartEntry entry;
    writeEntry("[Desktop Entry]\nExec=" + command + " --minimised\n");
    EXPECT_FALSE(entry.isRegistered());
    writeEntry("[Desktop Entry]\nExec=" + command + "\nHidden=true\n");
    EXPECT_FALSE(entry.isRegistered());
    writeEntry("[Desktop Action x]\nExec=" + command + "\n");
    EXPECT_FALSE(entry.isRegistered());
    writeEntry("[Desktop Entry]\r\nExec=" + command + "\r\n");
    EXPECT_TRUE(entry.isRegistered());
}

// After the program folder moved, the entry the user chose still starts the old launcher: it
// counts as chosen, not as registered, until it is written anew.
TEST_F(AutostartEntryTest, AnEntryForAnotherFolderIsChosenButNotRegistered) {
    autostart::AutostartEntry entry;
    EXPECT_FALSE(entry.isChosen());
    writeEntry("[Desktop Entry]\nExec=/old/place/Ledgerboot\nHidden=true\n");
    EXPECT_FALSE(entry.isChosen());
    writeEntry("[Desktop Entry]\nExec=/old/place/Ledgerboot\n");
    EXPECT_TRUE(entry.isChosen());
    EXPECT_FALSE(entry.isRegistered());
    entry.setRegistered(true);
    EXPECT_TRUE(entry.isRegistered());
    EXPECT_TRUE(entry.isChosen());
}

} // namespace
