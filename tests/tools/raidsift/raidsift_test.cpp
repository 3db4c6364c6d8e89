// The raidsift tool on the sample raid log. Every expected value here was worked out by hand
// from tests/data/TALLYRA.lua (the tests run with TZ=Asia/Shanghai).
#include <gtest/gtest.h>

#include "run_program.h"

#include <nlohmann/json.hpp>

#include <fstream>

using nlohmann::json;

namespace {

ProgramRun raidsift(const std::string& arguments) {
    return runShell(kRaidsift + " " + arguments);
}

std::string writeTemp(const std::string& name, const std::string& bytes) {
    const std::string path = ::testing::TempDir() + std::to_string(::getpid()) + "-" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

} // namespace

TEST(RaidsiftOnSample, RaidListWithCountsAndTotals) {
    const ProgramRun run = raidsift("raids " + kSample);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    // Raid 1: kills 10x6 + 15x6 + 20x7 (no attendees recorded: all 7 members) = 290;
    //         loot 80 + 30 + 5x2 + 60 + 15 + 0 = 195; members 6 listed + 临时工 who only joined.
    // Raid 2: 10x5 + 10x4 + 0 (no dkp) + 25x5 = 215; 40 + 35 + 50 + 0 + 120 - 20 = 225.
    // Raid 3: no zone, so no parentheses. Raid 4: 20x11 + 20x10 + 50x11 = 970;
    //         100 + 90 + 10x3 + 200 + 0 = 420.
    EXPECT_EQ(
        run.out,
        "1\t08/01/25 20:03:13(纳克萨玛斯)\tmembers 7\tkills 3\tloots 6\tearned 290\tspent 195\n"
        "2\t08/02/01 19:30:00(Karazhan)\tmembers 5\tkills 4\tloots 6\tearned 215\tspent 225\n"
        "3\t08/02/03 21:00:00\tmembers 1\tkills 0\tloots 0\tearned 0\tspent 0\n"
        "4\t08/02/08 20:00:00(黑暗神殿)\tmembers 11\tkills 3\tloots 5\tearned 970\tspent 420\n");
}

TEST(RaidsiftOnSample, JsonHoldsEveryRecord) {
    const ProgramRun run = raidsift("raids --json " + kSample);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const json raids = json::parse(run.out);
    ASSERT_EQ(raids.size(), 4u);

    const json& first = raids[0];
    EXPECT_EQ(first["name"], "08/01/25 20:03:13(纳克萨玛斯)");
    EXPECT_EQ(first["start"], 1201262593); // 2008-01-25 12:03:13 UTC
    EXPECT_EQ(first["end"], 1201273800);   // 23:10:00 local
    EXPECT_EQ(first["realm"], "银松森林");
    EXPECT_EQ(first["note"], "开荒 第一周");
    EXPECT_EQ(first["totalObtain"], 290);
    EXPECT_EQ(first["totalConsume"], 195);

    const json& brannoc = first["members"][4];
    EXPECT_EQ(brannoc["name"], "Brannoc");
    EXPECT_EQ(brannoc["class"], 3); // HUNTER
    EXPECT_EQ(brannoc["race"], 3);  // Dwarf
    EXPECT_EQ(brannoc["sex"], 2);
    EXPECT_EQ(brannoc["guild"], "");
    // Joined 20:10, left 21:15, came back 21:40, left 23:05.
    EXPECT_EQ(brannoc["presence"], json::parse(R"([{"join":1201263000,"leave":1201266900},
                                                   {"join":1201268400,"leave":1201273500}])"));
    const json& temp = first["members"][6];
    EXPECT_EQ(temp["name"], "临时工");
    EXPECT_EQ(temp["class"], 0);
    EXPECT_EQ(temp["level"], 0);
    EXPECT_EQ(temp["presence"], json::parse(R"([{"join":1201266000,"leave":1201269600}])"));

    const json& maexxna = first["bossKills"][2];
    EXPECT_EQ(maexxna["name"], "迈克斯纳");
    EXPECT_EQ(maexxna["dkp"], 20);
    EXPECT_EQ(maexxna["attendees"], json::array());

    const json& rune = first["loots"][2];
    EXPECT_EQ(rune["name"], "Frozen Rune");
    EXPECT_EQ(rune["boss"], "小怪掉落");
    EXPECT_EQ(rune["rarity"], 2);
    EXPECT_EQ(rune["count"], 2);
    EXPECT_EQ(rune["costs"], 5);
    EXPECT_EQ(rune["id"], "22682:0:0:0");
    EXPECT_EQ(rune["itemClass"], "Reagent");
    EXPECT_EQ(rune["icon"], "Interface\\\\Icons\\\\INV_Misc_Rune_09"); // kept as written

    EXPECT_EQ(raids[1]["end"], 1201875600); // no "End": the last leave, 22:20:00
    EXPECT_EQ(raids[1]["bossKills"][2]["dkp"], 0);
    EXPECT_EQ(raids[1]["loots"][5]["costs"], -20);
    EXPECT_EQ(raids[2]["zone"], "");
    EXPECT_EQ(raids[3]["loots"][3]["rarity"], 5);
}

TEST(RaidsiftOnSample, ShowSummarisesOneRaid) {
    const ProgramRun run = raidsift("show " + kSample + " 1");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* line : {
             "Raid 1: 08/01/25 20:03:13(纳克萨玛斯)\n",
             "Realm: 银松森林\n",
             "End:   08/01/25 23:10:00\n",
             // 20:10-21:15 and 21:40-23:05: 65 + 85 minutes of 3:06:47; the kill without
             // attendees counts for everyone.
             "  Brannoc  Hunter, Dwarf, level 70, guild -, present 2:30 (80.3%), kills 2/3 "
             "(66.7%), earned 30 DKP\n",
             "  临时工  -, -, level 0, guild -, present 1:00 (32.1%), kills 2/3 (66.7%), earned "
             "35 DKP\n",
             "  迈克斯纳 at 08/01/25 22:45:00, 20 DKP, 0 attendees\n",
             "    Wraith Blade [ffa335ee] -> 冰霜法师 for 0 DKP at 08/01/25 22:47:00\n",
             "Trash-mob loot (2):\n",
             "    Frozen Rune x2 [ff1eff00] -> Aldric for 5 DKP at 08/01/25 21:05:00\n",
             "DKP earned 290, spent 195\n",
         })
        EXPECT_NE(run.out.find(line), std::string::npos) << line;
}

// Every loot is listed once: under the first kill of its boss's name, with the trash-mob loot,
// or under its boss among the loot of bosses without a kill.
TEST(RaidsiftShow, EveryLootIsListedExactlyOnce) {
    std::string log = "CT_RaidTracker_RaidLog = {\n\t{\n\t\t[\"key\"] = \"01/25/08 20:00:00\",\n"
                      "\t\t[\"BossKills\"] = {\n";
    int index = 0;
    for (const char* boss : {"Twin", "Solo", "Twin"})
        log += "\t\t\t{\n\t\t\t\t[\"boss\"] = \"" + std::string(boss) + "\",\n\t\t\t}, -- [" +
               std::to_string(++index) + "]\n";
    log += "\t\t},\n\t\t[\"Loot\"] = {\n";
    index = 0;
    for (const auto& [item, boss] :
         std::vector<std::pair<std::string, std::string>>{{"Twin Blade", "Twin"},
                                                          {"Ghost Ring", "Ghost"},
                                                          {"Rune", "小怪掉落"},
                                                          {"Solo Helm", "Solo"},
                                                          {"Ghost Cape", "Ghost"},
                                                          {"Shade Gem", "Shade"}})
        log +=
            "\t\t\t{\n\t\t\t\t[\"boss\"] = \"" + boss +
            "\",\n\t\t\t\t[\"costs\"] = 10,\n\t\t\t\t[\"item\"] = {\n\t\t\t\t\t[\"count\"] = 1,\n"
            "\t\t\t\t\t[\"name\"] = \"" +
            item + "\",\n\t\t\t\t},\n\t\t\t}, -- [" + std::to_string(++index) + "]\n";
    log += "\t\t},\n\t}, -- [1]\n}\n";
    const ProgramRun run = raidsift("show " + writeTemp("repeated-kills.lua", log) + " 1");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto count = [&](const std::string& text) {
        std::size_t found = 0;
        for (auto at = run.out.find(text); at != std::string::npos; at = run.out.find(text, at + 1))
            ++found;
        return found;
    };
    for (const char* item :
         {"Twin Blade", "Ghost Ring", "Rune", "Solo Helm", "Ghost Cape", "Shade Gem"})
        EXPECT_EQ(count("    " + std::string(item) + " ["), 1u) << item << "\n" << run.out;
    EXPECT_LT(run.out.find("Twin Blade"), run.out.find("  Solo at"));
    EXPECT_NE(run.out.find("\nLoot of bosses without a kill (3):\n  Ghost\n    Ghost Ring ["),
              std::string::npos)
        << run.out;
    EXPECT_LT(run.out.find("    Ghost Cape"), run.out.find("  Shade\n    Shade Gem"));
    EXPECT_NE(run.out.find("DKP earned 0, spent 60\n"), std::string::npos) << run.out;
}

TEST(RaidsiftOnSample, ExportWritesTheDocumentAndNothingElse) {
    const ProgramRun run = raidsift("export " + kSample + " 3");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "<RaidInfo><key>02/03/08 21:00:00</key><realm>银松森林</realm><start>"
                       "02/03/08 21:00:00</start><end>02/03/08 21:45:00</end><zone></zone>"
                       "<PlayerInfos><key1><name>月影</name><race>NightElf</race><guild>晨曦之光"
                       "</guild><sex>3</sex><class>Priest</class><level>70</level></key1>"
                       "</PlayerInfos><BossKills></BossKills><note>pvp</note><Loot></Loot>"
                       "</RaidInfo>");
}

// The upload documents as raidsift wrote them before it had other formats.
TEST(RaidsiftExport, UploadIsTheDefaultAndUnchangedByteForByte) {
    for (int raid = 1; raid <= 4; ++raid) {
        const std::string number = std::to_string(raid);
        const std::string before = testsupport::readFile(
            RL_SOURCE_DIR "/tests/tools/raidsift/upload/raid" + number + ".txt");
        ASSERT_FALSE(before.empty());
        EXPECT_EQ(raidsift("export " + kSample + " " + number).out, before) << raid;
        EXPECT_EQ(raidsift("export --format upload " + kSample + " " + number).out, before);
        EXPECT_EQ(raidsift("export " + kSample + " " + number + " --format=upload").out, before);
    }
}

TEST(RaidsiftExport, OtherFormatsOfOneRaidOrAll) {
    const ProgramRun xml = raidsift("export " + kSample + " 2 --format eqdkp-xml");
    ASSERT_EQ(xml.exitCode, 0) << xml.err;
    EXPECT_EQ(xml.out.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<raidlog>\n", 0), 0u);
    EXPECT_NE(xml.out.find("<name>Karazhan</name>"), std::string::npos);
    EXPECT_NE(xml.out.find("<version>"), std::string::npos);

    const ProgramRun loot = raidsift("export " + kSample + " all --format csv-loot");
    ASSERT_EQ(loot.exitCode, 0) << loot.err;
    EXPECT_EQ(loot.out.rfind("\xEF\xBB\xBFraid,time,member,", 0), 0u);
    EXPECT_EQ(std::count(loot.out.begin(), loot.out.end(), '\n'), 1 + 17);
    EXPECT_NE(loot.out.find("08/02/08 20:00:00(黑暗神殿),2008-02-09 00:21:00,暗影之刃,Warglaive of "
                            "Azzinoth,32837:0:0:0,1,200,伊利丹·怒风,黑暗神殿\r\n"),
              std::string::npos);

    const ProgramRun attendance = raidsift("export " + kSample + " 4 --format=csv-attendance");
    EXPECT_NE(attendance.out.find(",雷霆之怒,DeathKnight,171,63.3,2,3,66.7,70\r\n"),
              std::string::npos)
        << attendance.out;

    const ProgramRun single = raidsift("export " + kSample + " 3 --format json");
    ASSERT_EQ(single.exitCode, 0) << single.err;
    const json raid = json::parse(single.out);
    EXPECT_EQ(raid["note"], "pvp");
    EXPECT_EQ(raid["attendance"][0]["secondsPresent"], 2700);
}

TEST(RaidsiftLint, PrintsTheFindingsAndFailsOnAnError) {
    const ProgramRun sample = raidsift("lint " + kSample);
    EXPECT_EQ(sample.exitCode, 0) << sample.err;
    EXPECT_NE(sample.out.find("Raid 1: 08/01/25 20:03:13(纳克萨玛斯)\n  warning "
                              "kill-without-attendees: boss kill \"迈克斯纳\" has no attendees"),
              std::string::npos)
        << sample.out;
    EXPECT_NE(sample.out.find("Raid 4: 08/02/08 20:00:00(黑暗神殿)\n  no findings\n"),
              std::string::npos);
    EXPECT_NE(sample.out.find("0 errors, 3 warnings, 0 notes\n"), std::string::npos);
    EXPECT_EQ(
        raidsift("lint " + kSample + " 4").out,
        "Raid 4: 08/02/08 20:00:00(黑暗神殿)\n  no findings\n0 errors, 0 warnings, 0 notes\n");

    const std::string log = "CT_RaidTracker_RaidLog = {\n\t{\n"
                            "\t\t[\"key\"] = \"01/25/08 20:00:00\",\n"
                            "\t\t[\"End\"] = \"01/25/08 21:00:00\",\n"
                            "\t\t[\"zone\"] = \"Keep\",\n"
                            "\t\t[\"BossKills\"] = {\n\t\t\t{\n"
                            "\t\t\t\t[\"boss\"] = \"Boss\",\n"
                            "\t\t\t\t[\"time\"] = \"01/25/08 20:30:00\",\n"
                            "\t\t\t\t[\"attendees\"] = {\n\t\t\t\t\t\"Alpha\", -- [1]\n\t\t\t\t},\n"
                            "\t\t\t}, -- [1]\n\t\t},\n"
                            "\t\t[\"Loot\"] = {\n\t\t\t{\n"
                            "\t\t\t\t[\"player\"] = \"Nobody\",\n"
                            "\t\t\t\t[\"time\"] = \"01/25/08 20:31:00\",\n"
                            "\t\t\t\t[\"item\"] = {\n\t\t\t\t\t[\"name\"] = \"Ring\",\n\t\t\t\t},\n"
                            "\t\t\t}, -- [1]\n\t\t},\n\t}, -- [1]\n}\n";
    const ProgramRun faulty = raidsift("lint " + writeTemp("stranger.lua", log) + " 1");
    EXPECT_EQ(faulty.exitCode, 1) << faulty.out << faulty.err;
    EXPECT_NE(faulty.out.find("  error loot-to-stranger: item \"Ring\" went to \"Nobody\", who "
                              "was never in the raid\n"),
              std::string::npos)
        << faulty.out;
    EXPECT_EQ(faulty.err, "");
}

TEST(RaidsiftOnSample, TreeReferenceAndStandardInputAgree) {
    const ProgramRun tree = raidsift("tree " + kSample);
    ASSERT_EQ(tree.exitCode, 0) << tree.err;
    const json document = json::parse(tree.out);
    EXPECT_EQ(document["attribs"], json::parse(R"([{"name":"CT_RaidTracker_Version",
                                                     "value":"1.5.4"}])"));
    ASSERT_EQ(document["nodes"].size(), 2u);
    EXPECT_EQ(document["nodes"][1]["name"], "CT_RaidTracker_RaidLog");
    EXPECT_EQ(document["nodes"][1]["nodes"].size(), 4u);

    EXPECT_EQ(raidsift("tree --reference " + kSample).out, tree.out);
    EXPECT_EQ(raidsift("tree - < " + kSample).out, tree.out);
    EXPECT_EQ(raidsift("raids - < " + kSample).out, raidsift("raids " + kSample).out);
}

TEST(RaidsiftOnSample, ByteOrderMarkAndWindowsLineEndsChangeNothing) {
    std::string text = testsupport::readFile(kSample);
    std::string windows = "\xEF\xBB\xBF";
    for (char c : text) {
        if (c == '\n')
            windows += '\r';
        windows += c;
    }
    const std::string path = writeTemp("TALLYRA-bom-crlf.lua", windows);
    EXPECT_EQ(raidsift("raids --json " + path).out, raidsift("raids --json " + kSample).out);
}

// The tree is written as it is walked: printing it needs hardly more memory than parsing the
// file for its raids, rather than hundreds of bytes per entry for a JSON document.
TEST(RaidsiftOnSample, TreeOfManyEntriesIsWrittenWithoutADocumentInMemory) {
    std::string entries = "T = {\n";
    for (int i = 0; i < 100000; ++i)
        entries += "1,\n";
    const std::string path = writeTemp("many-entries.lua", entries + "}\n");
    // Without the sanitizer's quarantine, which would count freed blocks as memory in use.
    const std::string raidsift = "ASAN_OPTIONS=\"$ASAN_OPTIONS:quarantine_size_mb=0\" " + kRaidsift;
    const long parsing = peakMemoryKb(raidsift + " raids " + path);
    const long printing = peakMemoryKb(raidsift + " tree " + path);
    ASSERT_GT(parsing, 0);
    ASSERT_GT(printing, 0);
    EXPECT_LT(printing, parsing + parsing / 2)
        << "raids " << parsing << " KB, tree " << printing << " KB";
    std::remove(path.c_str());
}

TEST(RaidsiftErrors, OneLineOnStandardErrorAndANonZeroExit) {
    const std::string missing = ::testing::TempDir() + "no-such-file.lua";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"raids " + missing, "raidsift: cannot read " + missing + ": No such file or directory\n"},
        {"raids " + ::testing::TempDir(), "is a folder\n"},
        {"show " + kSample + " 5", "raidsift: raid 5 does not exist: the file holds 4 raids\n"},
        {"export " + kSample + " 0", "raid number must be a whole number from 1 up, not \"0\"\n"},
        {"export " + kSample + " 2x", "not \"2x\"\n"},
        {"show " + kSample, "raidsift: show: missing raid number\n"},
        {"raids --csv " + kSample, "raidsift: unknown option --csv for raids\n"},
        {"tree --json " + kSample, "unknown option --json for tree\n"},
        {"raids a b", "raidsift: raids: unexpected argument \"b\"\n"},
        {"upload " + kSample, "raidsift: unknown command \"upload\""},
        {"export " + kSample + " all", "raidsift: export: the upload format takes one raid"},
        {"export " + kSample + " all --format json", "the json format takes one raid"},
        {"export " + kSample + " 1 --format xml", "raidsift: unknown format \"xml\""},
        {"export " + kSample + " 1 --format", "raidsift: --format needs a format name\n"},
        {"export " + kSample + " 1 --json", "raidsift: unknown option --json for export\n"},
        {"lint " + kSample + " 9", "raidsift: raid 9 does not exist: the file holds 4 raids\n"},
        {"lint", "raidsift: lint: missing FILE\n"},
        {"", "raidsift: no command given"},
    };
    for (const auto& [arguments, message] : cases) {
        const ProgramRun run = raidsift(arguments);
        EXPECT_NE(run.exitCode, 0) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_NE(run.err.find(message), std::string::npos) << arguments << ": " << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << arguments;
    }
}

TEST(RaidsiftErrors, AFileWithoutARaidLogHoldsNoRaids) {
    const std::string path = writeTemp("no-raid-log.lua", "CT_RaidTracker_Options = {\n}\nX = 1\n");
    const ProgramRun list = raidsift("raids " + path);
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out, "");
    EXPECT_EQ(raidsift("raids --json " + path).out, "[]\n");
    EXPECT_EQ(raidsift("raids " + writeTemp("empty.lua", "")).exitCode, 0);
    const ProgramRun show = raidsift("show " + path + " 1");
    EXPECT_NE(show.err.find("raid 1 does not exist: the file holds 0 raids"), std::string::npos);
}

// A file past the parser's 2 GiB limit is refused by its size, before anything is read: the
// file here is sparse, so the test writes only its first line.
TEST(RaidsiftErrors, AFileOver2GiBIsRefusedAsTooLarge) {
    const std::string path = writeTemp("too-large.lua", "CT_RaidTracker_RaidLog = {\n");
    ASSERT_EQ(::truncate(path.c_str(), std::int64_t{1} << 31), 0);
    for (const std::string command : {"raids ", "raids --json ", "tree ", "tree --reference "}) {
        const ProgramRun run = raidsift(command + path);
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_EQ(run.out, "") << command;
        EXPECT_EQ(run.err,
                  "raidsift: cannot read " + path + ": file too large (over 2147483647 bytes)\n")
            << command;
    }
    std::remove(path.c_str());
}
