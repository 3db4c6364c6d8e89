#include "filecase/filecase.h"

#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using filecase::resolve;

namespace {

class FileCase : public testing::Test {
protected:
    void makeFolder(const char* relative) { folder_.makeFolder(relative); }

    const testsupport::TemporaryFolder folder_{"rl_filecase"};
    const fs::path root_ = folder_.path();
    const std::u16string base_ = folder_.folder();
};

TEST_F(FileCase, FindsComponentsSpelledInAnotherCase) {
    makeFolder("interface/Addons/TALLYRA");
    EXPECT_EQ(resolve(base_, u"Interface/AddOns/TALLYRA/"), base_ + u"interface/Addons/TALLYRA/");
    EXPECT_EQ(resolve(base_, u"Interface/AddOns/tallyra"), base_ + u"interface/Addons/TALLYRA");
}

TEST_F(FileCase, ExactSpellingWinsOverOtherCases) {
    makeFolder("WTF");
    makeFolder("wtf");
    EXPECT_EQ(resolve(base_, u"wtf/x"), base_ + u"wtf/x");
    EXPECT_EQ(resolve(base_, u"Wtf/x"), base_ + u"WTF/x"); // first by name when several match
}

TEST_F(FileCase, MissingComponentsKeepTheSpellingAskedFor) {
    makeFolder("Interface/addons");
    EXPECT_EQ(resolve(base_, u"Interface/AddOns/TALLYRA/MerDKP/dkp_list.lua"),
              base_ + u"Interface/addons/TALLYRA/MerDKP/dkp_list.lua");
    EXPECT_EQ(resolve(base_, u"Other/Name/"), base_ + u"Other/Name/");
}

TEST(FileCaseNames, ComparesOnlyLatinLettersWithoutCase) {
    EXPECT_TRUE(filecase::equalIgnoringCase(u"AddOns", u"addons"));
    EXPECT_FALSE(filecase::equalIgnoringCase(u"AddOns", u"addon"));
    EXPECT_FALSE(filecase::equalIgnoringCase(u"[", u"{")); // not letters: 0x5B vs 0x7B
    EXPECT_TRUE(filecase::equalIgnoringCase(u"角色", u"角色"));
}

} // namespace
