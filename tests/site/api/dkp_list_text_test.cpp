#include "api/dkp_list_text.h"
#include "testsupport/temporary_folder.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>

namespace dkpsite {
namespace {

// Runs the list text and then `script` in a real Lua and gives what the script prints.
std::string runInLua(const std::string& listText, const std::string& script) {
    const testsupport::TemporaryFolder folder;
    std::ofstream(folder.path("list.lua"), std::ios::binary) << listText << "\n" << script << "\n";
    const std::string command = "lua5.4 " + folder.path("list.lua").string() + " 2>&1";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (size_t got = fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, got);
        pclose(pipe);
    }
    return output;
}

std::vector<DkpListSystem> sampleSystems() {
    return {{{7, "团队DKP"}, {{"Alpha", "Warrior", 30, 50}, {"Qu\"ote\\d\nname", "Priest", 5, 0}}},
            {{9, "empty"}, {}}};
}

TEST(DkpListText, FirstStatementCarriesTheQuotedMillisecondTime) {
    const std::string text = formatDkpList(1181304000000, sampleSystems());
    const std::string first = text.substr(0, text.find(';'));
    EXPECT_EQ(first, "Mer_DKP_UPDATETIME = \"1181304000000\"");
    EXPECT_NE(text.find("MerDKP_Table"), std::string::npos);
}

TEST(DkpListText, IsLuaThatHoldsTheStandings) {
    const std::string text = formatDkpList(1181304000000, sampleSystems());
    const std::string output = runInLua(
        text, "local t = MerDKP_Table\n"
              "print(Mer_DKP_UPDATETIME, t[7].name, t[7].players.Alpha.dkp,\n"
              "      t[7].players.Alpha.class, t[7].players['Qu\"ote\\\\d\\nname'].earned,\n"
              "      next(t[9].players))");
    EXPECT_EQ(output, "1181304000000\t团队DKP\t-20\tWarrior\t5\tnil\n");
}

TEST(DkpListText, PointsAtTheEndsOfTheRangeDoNotWrapAround) {
    const std::vector<DkpListSystem> systems = {
        {{1, "s"}, {{"Rich", "", std::numeric_limits<std::int64_t>::max(), -1}}}};
    const std::string text = formatDkpList(0, systems);
    EXPECT_NE(text.find("[\"dkp\"] = 9223372036854775807,"), std::string::npos) << text;
}

TEST(DkpListText, QuotesControlBytesAsDecimalEscapes) {
    EXPECT_EQ(luaQuoted(std::string("a\x01z\x7f", 4)), "\"a\\001z\\127\"");
    EXPECT_EQ(luaQuoted("中文"), "\"中文\"");
}

} // namespace
} // namespace dkpsite
