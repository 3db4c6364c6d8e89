#include "autostart/desktop_entry.h"

#include <gtest/gtest.h>

namespace {

using autostart::desktop_entry::applicationEntry;
using autostart::desktop_entry::readValue;
using autostart::desktop_entry::splitExec;

std::string execOf(const std::string& program) {
    return readValue(applicationEntry("TALLYRA", program), "Exec").value_or("<none>");
}

TEST(DesktopEntry, PlainProgramPathsAreWrittenAsTheyAre) {
    EXPECT_EQ(execOf("/opt/raidledger/Ledgerboot"), "/opt/raidledger/Ledgerboot");
}

TEST(DesktopEntry, ProgramPathsWithReservedCharactersSurviveTheRoundTrip) {
    for (const std::string program :
         {"/home/a b/Raid Ledger/Ledgerboot", "/tmp/100%/Ledgerboot", "/tmp/100% done/Ledgerboot",
          "/tmp/%%s %u/Ledgerboot", "/tmp/$HOME/\"q\"/x", "/tmp/back\\slash/`tick`/Ledgerboot",
          "/tmp/汉字 目录/Ledgerboot"}) {
        const auto arguments = splitExec(execOf(program));
        ASSERT_TRUE(arguments.has_value()) << program;
        ASSERT_EQ(arguments->size(), 1u) << program;
        EXPECT_EQ(arguments->front(), program);
    }
}

TEST(DesktopEntry, SplitsCommandLinesAndRefusesUnterminatedQuotes) {
    EXPECT_EQ(splitExec("a  \"b c\" d"), (std::vector<std::string>{"a", "b c", "d"}));
    EXPECT_EQ(splitExec(""), std::vector<std::string>{});
    EXPECT_FALSE(splitExec("\"/open/end").has_value());
}

TEST(DesktopEntry, ReadsOnlyTheMainGroupAndUndoesStringEscapes) {
    const std::string text = "# c\n[Other]\nExec=no\n[Desktop Entry]\nName = a\\sb\\\\c\n";
    EXPECT_EQ(readValue(text, "Name"), "a b\\c");
    EXPECT_FALSE(readValue(text, "Exec").has_value());
}

} // namespace
