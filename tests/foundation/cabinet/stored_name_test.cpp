#include "cabinet/stored_name.h"

#include <gtest/gtest.h>

using cabinet::targetOfStoredName;

TEST(StoredName, LeadingDotsAndSeparatorsAreRemoved) {
    EXPECT_EQ(targetOfStoredName(u"..\\..\\readme.txt"), u"readme.txt");
    EXPECT_EQ(targetOfStoredName(u"\\\\server\\share\\a.txt"), u"server/share/a.txt");
    EXPECT_EQ(targetOfStoredName(u".profile"), u"profile");
    EXPECT_EQ(targetOfStoredName(u"/etc/passwd"), u"etc/passwd");
}

TEST(StoredName, SeparatorsBecomeSlashesAndEmptyOrDotLevelsCollapse) {
    EXPECT_EQ(targetOfStoredName(u"layout\\main\\a.xml"), u"layout/main/a.xml");
    EXPECT_EQ(targetOfStoredName(u"a\\\\.\\b/c"), u"a/b/c");
    EXPECT_EQ(targetOfStoredName(u"a\\v1.2\\b..c"), u"a/v1.2/b..c");
}

TEST(StoredName, NamesThatClimbOrNameADriveAreRefused) {
    EXPECT_FALSE(targetOfStoredName(u"a\\..\\..\\b"));
    EXPECT_FALSE(targetOfStoredName(u"a/.."));
    EXPECT_FALSE(targetOfStoredName(u"a\\...\\b"));
    EXPECT_FALSE(targetOfStoredName(u"a\\.. \\b"));
    EXPECT_FALSE(targetOfStoredName(u"C:\\Windows\\a.dll"));
    EXPECT_FALSE(targetOfStoredName(u"a.txt:stream"));
}

TEST(StoredName, EmptyFolderOnlyAndControlCharacterNamesAreRefused) {
    EXPECT_FALSE(targetOfStoredName(u""));
    EXPECT_FALSE(targetOfStoredName(u"..\\.\\"));
    EXPECT_FALSE(targetOfStoredName(u"folder\\"));
    EXPECT_FALSE(targetOfStoredName(u"a\nb"));
}
