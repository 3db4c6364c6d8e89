// The shipped addon's Lua, run by lua5.4 as the game loads it.
#include "gamefiles/addon_manager.h"
#include "gamefiles/dkp_list.h"
#include "testsupport/addon_lua.h"

#include "testsupport/temporary_folder.h"
#include "utilkit/ufile.h"

#include <gtest/gtest.h>

using addon_lua::runAddon;

namespace {

// The addon kit beside the programs, as the build places it (the Taiwan variant is made there).
const std::string kAddonkit = RL_BINARY_DIR "/bin/Addonkit/";

TEST(ShippedAddonLua, LoadsWithoutAListAndKnowsNoPoints) {
    for (const std::string variant : {"TALLYRA", "TALLYRA_TW"}) {
        const addon_lua::AddonRun run = runAddon(kAddonkit + variant);
        EXPECT_EQ(run.exitStatus, 0) << run.output;
        EXPECT_TRUE(run.errors.empty()) << run.output;
        EXPECT_EQ(run.missingFiles, std::vector<std::string>{"MerDKP/dkp_list.lua"}) << variant;
        EXPECT_TRUE(run.systems.empty()) << run.output;
        EXPECT_TRUE(run.points.empty()) << run.output;
    }
}

TEST(ShippedAddonLua, InstalledAddonHasAnEmptyListUntilTheFirstOneArrives) {
    testsupport::TemporaryFolder game;
    game.makeFolder("Interface/AddOns");
    const gamefiles::AddonManager manager(ufile::fromNativePath(RL_BINARY_DIR) + u"/bin/");
    ASSERT_TRUE(manager.installAddon(game.folder()));
    EXPECT_EQ(game.read("Interface/AddOns/TALLYRA/MerDKP/dkp_list.lua"), gamefiles::kEmptyDkpList);
    const addon_lua::AddonRun run = runAddon(game.path("Interface/AddOns/TALLYRA"));
    EXPECT_EQ(run.exitStatus, 0) << run.output;
    EXPECT_TRUE(run.missingFiles.empty()) << run.output;
    EXPECT_TRUE(run.points.empty()) << run.output;
}

TEST(ShippedAddonLua, ReadsEverySystemOfTheListAndPassesOverEntriesOfAnotherShape) {
    testsupport::TemporaryFolder game;
    std::filesystem::copy(kAddonkit + "TALLYRA", game.path("TALLYRA"),
                          std::filesystem::copy_options::recursive);
    game.write(
        "TALLYRA/MerDKP/dkp_list.lua",
        "Mer_DKP_UPDATETIME = \"1765094400000\";\n"
        "MerDKP_Table = {\n"
        "\t[7] = {\n\t\t[\"name\"] = \"新人DKP\",\n\t\t[\"players\"] = {\n"
        "\t\t\t[\"甲\"] = {\n\t\t\t\t[\"class\"] = \"Warrior\",\n\t\t\t\t[\"earned\"] = 10,\n"
        "\t\t\t\t[\"spent\"] = 50,\n\t\t\t\t[\"dkp\"] = -40,\n\t\t\t},\n"
        "\t\t\t[\"Tab\\tName\"] = { [\"dkp\"] = 5 },\n"
        "\t\t\t[\"NoPoints\"] = { [\"class\"] = \"Mage\" },\n"
        "\t\t\t[\"NotATable\"] = \"x\",\n"
        "\t\t},\n\t},\n"
        "\t[2] = { [\"name\"] = \"团队DKP\", [\"players\"] = { [\"甲\"] = { [\"dkp\"] = 7 } } },\n"
        "\t[9] = { [\"players\"] = 4 },\n"
        "\t[\"x\"] = 5,\n"
        "}\n");
    const addon_lua::AddonRun run = runAddon(game.path("TALLYRA"));
    EXPECT_EQ(run.exitStatus, 0) << run.output;
    EXPECT_TRUE(run.missingFiles.empty()) << run.output;
    EXPECT_EQ(run.systems, (std::map<long long, std::string>{{2, "团队DKP"}, {7, "新人DKP"}}));
    EXPECT_EQ(run.points, (addon_lua::Points{{"甲", {{2, 7}, {7, -40}}}, {"Tab\tName", {{7, 5}}}}));
    // Without a system the lowest id counts: 甲 has 7 there, Tab\tName is not listed there.
    EXPECT_EQ(run.defaults, (std::map<std::string, long long>{{"甲", 7}, {"Tab\tName", 0}}));
}

TEST(ShippedAddonLua, AFailingFileIsReported) {
    testsupport::TemporaryFolder game;
    std::filesystem::copy(kAddonkit + "TALLYRA", game.path("TALLYRA"),
                          std::filesystem::copy_options::recursive);
    game.write("TALLYRA/MerDKP/dkp_list.lua", "MerDKP_Table = {\n");
    const addon_lua::AddonRun run = runAddon(game.path("TALLYRA"));
    EXPECT_EQ(run.exitStatus, 1);
    ASSERT_EQ(run.errors.size(), 1u) << run.output;
    EXPECT_EQ(run.errors[0].rfind("MerDKP/dkp_list.lua: ", 0), 0u) << run.errors[0];
    EXPECT_THROW(addon_lua::runAddonPoints(game.path("TALLYRA")), std::runtime_error);
}

} // namespace
