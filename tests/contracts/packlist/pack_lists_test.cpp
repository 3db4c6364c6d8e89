#include "packlist/pack_lists.h"

#include "packlist/pack_list_file.h"
#include "testsupport/update_fixture.h"

#include <gtest/gtest.h>

using packlist::PackList;

class PackLists : public UpdateFixture {
protected:
    packlist::PackList readList(const std::u16string& path) {
        packlist::PackList list;
        packlist::readPackList(path, list);
        return list;
    }
};

TEST_F(PackLists, DifferenceMatchesNameAndVersion) {
    const packlist::PackList a{pack(u"x", 1), pack(u"y", 2), pack(u"x", 2)};
    EXPECT_EQ(packlist::difference(a, {}), a);
    EXPECT_EQ(packlist::difference(a, {pack(u"x", 1, 9)}),
              (packlist::PackList{pack(u"y", 2), pack(u"x", 2)}));
    EXPECT_EQ(packlist::difference(a, {pack(u"X", 1)}), a);
}

TEST_F(PackLists, DownloadIsCompleteOnlyWithTheExactFlag) {
    EXPECT_FALSE(packlist::isDownloadComplete(folder()));
    writeDownloadState({pack(u"a", 1)}, "OK");
    EXPECT_FALSE(packlist::isDownloadComplete(folder()));
    writeDownloadState({pack(u"a", 1)}, nullptr);
    EXPECT_FALSE(packlist::isDownloadComplete(folder()));
    writeDownloadState({pack(u"a", 1)}, "ok");
    EXPECT_TRUE(packlist::isDownloadComplete(folder()));
}

TEST_F(PackLists, WithoutLocalVersionsEveryDownloadIsPendingDuplicatesIncluded) {
    writeDownloadState({pack(u"a", 1), pack(u"a", 2), pack(u"b", 1, 2)});
    EXPECT_EQ(packlist::pendingPacks(folder()),
              (packlist::PackList{pack(u"a", 1), pack(u"a", 2), pack(u"b", 1, 2)}));
    write("localver.xml", "not xml at all <");
    EXPECT_EQ(packlist::pendingPacks(folder()).size(), 3u);

    packlist::writePackList(folder().localVersions(), {pack(u"a", 1)});
    EXPECT_EQ(packlist::pendingPacks(folder()),
              (packlist::PackList{pack(u"a", 2), pack(u"b", 1, 2)}));
    packlist::writePackList(folder().installedList(), {pack(u"a", 7)});
    EXPECT_EQ(packlist::pendingPacksOfKind(folder(), 1), (packlist::PackList{pack(u"a", 2)}));
    packlist::writePackList(folder().installedList(), {pack(u"a", 2)});
    EXPECT_TRUE(packlist::pendingPacksOfKind(folder(), 1).empty());
    EXPECT_EQ(packlist::pendingPacksOfKind(folder(), 2), (packlist::PackList{pack(u"b", 1, 2)}));
}

TEST_F(PackLists, RecordingANameTwiceLeavesTheFileUnchanged) {
    ASSERT_TRUE(packlist::recordInstalled(folder(), u"core", 3));
    const std::string once = read("temp/installed.xml");
    EXPECT_EQ(once, "<?xml version=\"1.0\" encoding=\"gb2312\"?><version>\n"
                    "\t<pack name=\"core\" ver=\"3\" md5=\"\" url=\"\" type =\"0\"/>\n"
                    "</version>\n");
    packlist::recordInstalled(folder(), u"core", 4);
    EXPECT_EQ(read("temp/installed.xml"), once);
    packlist::recordInstalled(folder(), u"skin", 1);
    EXPECT_EQ(readList(folder().installedList()).size(), 2u);
}

TEST_F(PackLists, CompletionComparesNamesOfEveryKind) {
    writeDownloadState({});
    EXPECT_TRUE(packlist::isUpdateComplete(folder()));
    writeDownloadState({pack(u"a", 5), pack(u"b", 1, 2)});
    packlist::recordInstalled(folder(), u"a", 4);
    EXPECT_FALSE(packlist::isUpdateComplete(folder()));
    packlist::recordInstalled(folder(), u"b", 1);
    EXPECT_TRUE(packlist::isUpdateComplete(folder()));
    writeDownloadState({pack(u"a", 5), pack(u"b", 1, 2)}, "no");
    EXPECT_FALSE(packlist::isUpdateComplete(folder()));
}

TEST_F(PackLists, LocalVersionsTakeNewVersionsAndAppendNewPackagesWithoutAddresses) {
    packlist::writePackList(folder().localVersions(),
                            {pack(u"a", 1), pack(u"keep", 4), pack(u"a", 2)});
    writeDownloadState({pack(u"a", 3), pack(u"new", 1, 2)});
    ASSERT_TRUE(packlist::updateLocalVersions(folder()));
    EXPECT_EQ(readList(folder().localVersions()),
              (packlist::PackList{
                  pack(u"a", 3), pack(u"keep", 4), pack(u"a", 3), {u"new", u"", "", 1, 2}}));
}
