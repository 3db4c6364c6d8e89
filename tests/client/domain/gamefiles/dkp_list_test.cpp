#include "gamefiles/dkp_list.h"

#include "testsupport/temporary_folder.h"
#include "utilkit/ustring.h"

#include <gtest/gtest.h>

using namespace gamefiles;

namespace {

constexpr const char* kListFile = "Interface/AddOns/TALLYRA/MerDKP/dkp_list.lua";

TEST(DkpListFile, SameTextTwiceWritesOnce) {
    testsupport::TemporaryFolder game;
    game.makeFolder("Interface/AddOns/TALLYRA/MerDKP");
    const std::string list = "Mer_DKP_UPDATETIME = \"1181304000000\";\nMerDKP_Table = {}\n";
    EXPECT_TRUE(writeDkpList(game.folder(), list));
    EXPECT_EQ(game.read(kListFile), list);
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    std::filesystem::last_write_time(game.path(kListFile), old);
    EXPECT_TRUE(writeDkpList(game.folder(), list));
    EXPECT_EQ(std::filesystem::last_write_time(game.path(kListFile)), old);
    // Only a final line break more: written, exactly as received.
    EXPECT_TRUE(writeDkpList(game.folder(), list + "\r\n"));
    EXPECT_EQ(game.read(kListFile), list + "\r\n");
    EXPECT_NE(std::filesystem::last_write_time(game.path(kListFile)), old);
}

TEST(DkpListFile, UndatedAndUtf8TextsAreStoredUnchanged) {
    testsupport::TemporaryFolder game;
    game.makeFolder("interface/addons/TALLYRA/MerDKP");
    const std::string list = "\xEF\xBB\xBFMerDKP_Table = { [\"\xE5\xB0\x8F\"] = 1 }";
    EXPECT_TRUE(writeDkpList(game.folder(), list));
    EXPECT_EQ(game.read("interface/addons/TALLYRA/MerDKP/dkp_list.lua"), list);
}

TEST(DkpListFile, FailedWriteLeavesNothingHalfWritten) {
    testsupport::TemporaryFolder game;
    game.write("Interface/AddOns/TALLYRA", "a file where the folder should be");
    EXPECT_FALSE(writeDkpList(game.folder(), "MerDKP_Table = {}"));
    EXPECT_EQ(game.read("Interface/AddOns/TALLYRA"), "a file where the folder should be");
}

TEST(UpdateTime, ExamplesInAZoneEightHoursAheadOfUtc) {
    EXPECT_EQ(getUpdateTimeText(u"Mer_DKP_UPDATETIME = \"1181304000000\";\nMerDKP_Table = {}"),
              u"2007年06月08日 20:00:00");
    EXPECT_EQ(getUpdateTimeText(u"Mer_DKP_UPDATETIME = \"999\"; MerDKP_Table = {}"),
              u"1970年01月01日 08:00:00");
    // A letter counts as the digit 0: "11a1" is 1101 ms.
    EXPECT_EQ(getUpdateTimeText(u"Mer_DKP_UPDATETIME = \"11a1\"; MerDKP_Table = {}"),
              u"1970年01月01日 08:00:01");
    EXPECT_EQ(getUpdateTimeText(u"Mer_DKP_UPDATETIME = \"4102416000000\"; MerDKP_Table={}"),
              u"2100年01月01日 00:00:00");
}

TEST(UpdateTime, TextsThatAreNotDatedListsShowNothing) {
    EXPECT_EQ(getUpdateTimeText(u"MerDKP_Table = {}; x = \"1\" \"2\""), u"");
    EXPECT_EQ(getUpdateTimeText(u"Mer_DKP_UPDATETIME = \"1181304000000\";"), u"");
    EXPECT_EQ(getUpdateTimeText(u"Mer_DKP_UPDATETIME = 1181304000000; MerDKP_Table = {}"), u"");
    EXPECT_EQ(getUpdateTimeText(u"Mer_DKP_UPDATETIME = \"1181304000000\" MerDKP_Table = {}"), u"");
    EXPECT_EQ(getUpdateTimeText(u"mer_dkp_updatetime = \"1\"; MerDKP_Table = {}"), u"");
    EXPECT_EQ(getUpdateTimeText(u""), u"");
    const std::u16string huge =
        u"Mer_DKP_UPDATETIME = \"" + std::u16string(400, u'9') + u"\"; MerDKP_Table = {}";
    EXPECT_EQ(getUpdateTimeText(huge), u"");
}

} // namespace

namespace {

TEST(EmptyDkpList, IsPlacedOnlyInAnInstalledAddonWithoutAList) {
    testsupport::TemporaryFolder game;
    EXPECT_TRUE(placeEmptyDkpList(game.folder())); // no addon: nothing to complete
    EXPECT_FALSE(game.exists("Interface"));

    game.makeFolder("interface/addons/TALLYRA/MerDKP");
    EXPECT_TRUE(placeEmptyDkpList(game.folder()));
    EXPECT_EQ(game.read("interface/addons/TALLYRA/MerDKP/dkp_list.lua"), kEmptyDkpList);
    EXPECT_EQ(getUpdateTimeText(ustring::fromUtf8(std::string(kEmptyDkpList))), u"");

    ASSERT_TRUE(writeDkpList(game.folder(), "the guild's list"));
    EXPECT_TRUE(placeEmptyDkpList(game.folder()));
    EXPECT_EQ(game.read("interface/addons/TALLYRA/MerDKP/dkp_list.lua"), "the guild's list");
}

TEST(EmptyDkpList, WithoutAGameFolderNothingIsWrittenInTheCurrentDirectory) {
    testsupport::TemporaryFolder here;
    here.makeFolder("Interface/AddOns/TALLYRA/MerDKP");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(here.path(""));
    EXPECT_TRUE(placeEmptyDkpList(u""));
    std::filesystem::current_path(previous);
    EXPECT_FALSE(here.exists("Interface/AddOns/TALLYRA/MerDKP/dkp_list.lua"));
}

} // namespace
