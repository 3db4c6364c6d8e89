#include "packlist/pack_list_file.h"

#include "testsupport/update_fixture.h"

#include <gtest/gtest.h>

using packlist::Pack;
using packlist::PackList;

TEST(PackListFile, TwoPackagesAreWrittenInTheExactForm) {
    const packlist::PackList list{{u"core", u"http://h/core.cab", "ab12", 3, 1},
                                  {u"skin", u"", "", -2, 0}};
    EXPECT_EQ(packlist::formatPackList(list),
              "<?xml version=\"1.0\" encoding=\"gb2312\"?><version>\n"
              "\t<pack name=\"core\" ver=\"3\" md5=\"ab12\" url=\"http://h/core.cab\" "
              "type =\"1\"/>\n"
              "\t<pack name=\"skin\" ver=\"-2\" md5=\"\" url=\"\" type =\"0\"/>\n"
              "</version>\n");
}

TEST(PackListFile, ChineseNamesAreGbkAndMarkupCharactersSurviveTheRoundTrip) {
    const packlist::PackList list{{u"更新包", u"http://h/a.cab?x=1&y=\"<2>\"", "m&d", 7, 1}};
    const std::string written = packlist::formatPackList(list);
    EXPECT_NE(written.find("name=\"\xB8\xFC\xD0\xC2\xB0\xFC\""), std::string::npos);
    EXPECT_NE(written.find("x=1&amp;y=&quot;&lt;2&gt;&quot;"), std::string::npos);
    packlist::PackList read;
    ASSERT_TRUE(packlist::parsePackList(written, read));
    EXPECT_EQ(read, list);
}

TEST(PackListFile, BytesOutsideTheCodePageAreWrittenBackAsTheyWereRead) {
    const std::string line = "\t<pack name=\"bad\xFF\xB8\xFC\x81\" ver=\"1\" md5=\"\" "
                             "url=\"u\xFF\" type =\"1\"/>\n";
    const std::string document =
        "<?xml version=\"1.0\" encoding=\"gb2312\"?><version>\n" + line + "</version>\n";
    packlist::PackList list;
    ASSERT_TRUE(packlist::parsePackList(document, list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].name.substr(0, 3), u"bad");
    EXPECT_EQ(list[0].name[4], u'\u66F4'); // the valid character between them is kept as such
    EXPECT_EQ(packlist::formatPackList(list), document);
}

TEST(PackListFile, MissingAttributesReadEmptyAndNumbersReadLikeTheirDigits) {
    packlist::PackList list;
    ASSERT_TRUE(packlist::parsePackList(
        "<?xml version=\"1.0\" encoding=\"gb2312\"?><version><other/>"
        "<pack name=\"a\" ver=\"  -12abc\" type=\"+7\"/><pack ver=\"x9\"/></version>"
        "<version><pack name=\"ignored\"/></version>",
        list));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], (packlist::Pack{u"a", u"", "", -12, 7}));
    EXPECT_EQ(list[1], (packlist::Pack{u"", u"", "", 0, 0}));
    EXPECT_EQ(packlist::parseListNumber("99999999999"), 2147483647);
    EXPECT_EQ(packlist::parseListNumber("-99999999999"), -2147483647 - 1);
}

TEST(PackListFile, DocumentsWithoutVersionOrNotXmlFailWithAnEmptyList) {
    packlist::PackList list{{u"stale", u"", "", 1, 1}};
    EXPECT_FALSE(packlist::parsePackList("<versions><pack name=\"a\"/></versions>", list));
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(packlist::parsePackList("<version><pack name=\"a\"></version>", list));
    EXPECT_FALSE(packlist::readPackList(u"/nonexistent/localver.xml", list));
}

TEST(PackListFile, StateFlagIsTheFirstStateOnly) {
    EXPECT_EQ(
        packlist::parseStateFlag("<version><state flag=\"ok\"/><state flag=\"no\"/></version>"),
        "ok");
    EXPECT_EQ(packlist::parseStateFlag("<version><state/><state flag=\"ok\"/></version>"),
              std::nullopt);
    EXPECT_EQ(packlist::formatPackList({}, std::string("ok")),
              "<?xml version=\"1.0\" encoding=\"gb2312\"?><version>\n\t<state flag=\"ok\"/>\n"
              "</version>\n");
}

class PackListOnDisk : public UpdateFixture {};

TEST_F(PackListOnDisk, WriteReplacesTheFileAndReadGivesTheListBack) {
    write("localver.xml", std::string(4096, 'x'));
    const packlist::PackList list{pack(u"a", 1), pack(u"b", 2, 3)};
    ASSERT_TRUE(packlist::writePackList(folder().localVersions(), list));
    packlist::PackList read;
    ASSERT_TRUE(packlist::readPackList(folder().localVersions(), read));
    EXPECT_EQ(read, list);
    EXPECT_FALSE(packlist::writePackList(programFolder() + u"missing/dir/x.xml", list));
}
