// raidsift on a large generated raid log, checked against what the generator (an independent
// Python program) says each raid holds.
#include <gtest/gtest.h>

#include "run_program.h"

#include <nlohmann/json.hpp>

using nlohmann::json;

TEST(RaidsiftOnGeneratedLog, ThreeHundredRaidsMatchTheGeneratorsSummary) {
    const std::string prefix = ::testing::TempDir() + std::to_string(::getpid());
    const std::string log = prefix + "-generated-TALLYRA.lua";
    const std::string summaryFile = prefix + "-generated-summary.json";
    const ProgramRun generate = runShell(kRaidgen + " --raids 300 --members 10 --seed 7 --output " +
                                         log + " --summary " + summaryFile);
    ASSERT_EQ(generate.exitCode, 0) << generate.err;
    const json expected = json::parse(testsupport::readFile(summaryFile));
    ASSERT_EQ(expected.size(), 300u);

    const ProgramRun run = runShell(kRaidsift + " raids --json " + log);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const json raids = json::parse(run.out);
    ASSERT_EQ(raids.size(), expected.size());
    for (std::size_t i = 0; i < raids.size(); ++i) {
        SCOPED_TRACE("raid " + std::to_string(i + 1));
        const json& want = expected[i];
        const json& got = raids[i];
        EXPECT_EQ(got["start"], want["start"]);
        EXPECT_EQ(got["end"], want["end"]);
        EXPECT_EQ(got["zone"], want["zone"]);
        EXPECT_EQ(got["members"].size(), want["members"]);
        EXPECT_EQ(got["bossKills"].size(), want["kills"]);
        EXPECT_EQ(got["loots"].size(), want["loots"]);
        EXPECT_EQ(got["totalObtain"], want["totalObtain"]);
        EXPECT_EQ(got["totalConsume"], want["totalConsume"]);
    }
    std::remove(log.c_str());
    std::remove(summaryFile.c_str());
}
