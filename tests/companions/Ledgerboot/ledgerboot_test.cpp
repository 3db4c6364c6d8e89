#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

class LedgerbootTest : public testing::Test {
protected:
    // The program folder's name has a space in it.
    void SetUp() override { fs::copy_file(LEDGERBOOT_PATH, folder_ / "Ledgerboot"); }

    int runLauncher(const std::string& arguments) {
        const std::string command =
            "cd / && '" + (folder_ / "Ledgerboot").string() + "' " + arguments + " >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The client runs on its own after the launcher exits; wait (boundedly) for its mark.
    std::string waitForMark() {
        const fs::path mark = folder_ / "mark";
        for (int attempt = 0; attempt < 600 && !fs::exists(mark); ++attempt)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::string text;
        ufile::ReadFileData(ustring::fromUtf8(mark.string()), text);
        return text;
    }

    const testsupport::TemporaryFolder program_{"ledgerboot test"};
    const fs::path folder_ = program_.path();
};

TEST_F(LedgerbootTest, StartsTheClientBesideItInItsFolderWithTheArguments) {
    ASSERT_TRUE(ufile::WriteFileData(
        ustring::fromUtf8((folder_ / "Raidledger").string()),
        "#!/bin/sh\nprintf '%s|%s' \"$(pwd)\" \"$*\" > mark.tmp && mv mark.tmp mark\n"));
    fs::permissions(folder_ / "Raidledger", fs::perms::owner_all);
    EXPECT_EQ(runLauncher("--one two"), 0);
    EXPECT_EQ(waitForMark(), folder_.string() + "|--one two");
}

TEST_F(LedgerbootTest, FailsWithAnExitCodeWhenTheClientIsMissing) {
    EXPECT_EQ(runLauncher(""), 1);
}

} // namespace
