#include "config/config_store.h"
#include "config/ledgerward_keys.h"
#include "config/property_bag.h"

#include "packing/packet_error.h"

#include "testsupport/files.h"
#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

namespace {

// A bag with no store behind it, released by the test.
struct LooseBag {
    PropertyBag bag{"Ledgerward", PropertyMap(), nullptr};
};

} // namespace

TEST(PropertyBag, IntegersAreDecimalDigitsReadUpToTheFirstOtherByte) {
    LooseBag loose;
    PropertyBag& bag = loose.bag;
    EXPECT_EQ(bag.get_uint32(9, 77), 77u);
    bag.set_uint32(9, 0);
    EXPECT_EQ(*bag.map().find(9), "0");
    bag.set_uint32(9, 4294967295u);
    EXPECT_EQ(*bag.map().find(9), "4294967295");
    EXPECT_EQ(bag.get_uint32(9, 1), 4294967295u);

    bag.set_string(9, "12ab");
    EXPECT_EQ(bag.get_uint32(9, 5), 12u);
    bag.set_string(9, "");
    EXPECT_EQ(bag.get_uint32(9, 5), 0u);
    bag.set_string(9, "-3");
    EXPECT_EQ(bag.get_uint32(9, 5), 0u);
    bag.set_string(9, "4294967296"); // wraps modulo 2^32
    EXPECT_EQ(bag.get_uint32(9, 5), 0u);
}

TEST(PropertyBag, StringsGiveTheDefaultWhenAbsentOrEmpty) {
    LooseBag loose;
    PropertyBag& bag = loose.bag;
    EXPECT_EQ(bag.get_string(ledgerward::UserName, "def"), "def");
    bag.set_string(ledgerward::UserName, "");
    EXPECT_EQ(bag.get_string(ledgerward::UserName, "def"), "def");
    bag.set_string(ledgerward::UserName, std::string("\xD5\xC5\0x", 4));
    EXPECT_EQ(bag.get_string(ledgerward::UserName, "def"), std::string("\xD5\xC5\0x", 4));
}

TEST(PropertyBag, WideTextIsStoredAsUtf8) {
    LooseBag loose;
    PropertyBag& bag = loose.bag;
    std::u16string text = u"stale";
    bag.get_wstring(ledgerward::GuildUrl, text);
    EXPECT_EQ(text, u"");
    bag.set_wstring(ledgerward::WowFolder, u"/游戏/魔兽世界/");
    EXPECT_EQ(*bag.map().find(ledgerward::WowFolder), "/\xE6\xB8\xB8\xE6\x88\x8F/"
                                                      "\xE9\xAD\x94\xE5\x85\xBD\xE4\xB8\x96"
                                                      "\xE7\x95\x8C/");
    bag.get_wstring(ledgerward::WowFolder, text);
    EXPECT_EQ(text, u"/游戏/魔兽世界/");
}

TEST(PropertyBag, QuadIsStoredSecondFirstFourthThird) {
    LooseBag loose;
    PropertyBag& bag = loose.bag;
    bag.set_quad(20, PropertyQuad{1, 2, 3, 4});
    EXPECT_EQ(*bag.map().find(20), std::string("\x02\0\0\0\x01\0\0\0\x04\0\0\0\x03\0\0\0", 16));
    PropertyQuad quad;
    bag.get_quad(20, quad);
    EXPECT_EQ(quad, (PropertyQuad{1, 2, 3, 4}));

    bag.set_pair(21, PropertyPair{5, 6});
    EXPECT_EQ(*bag.map().find(21), std::string("\x05\0\0\0\x06\0\0\0", 8));
    PropertyPair pair;
    bag.get_pair(21, pair);
    EXPECT_EQ(pair, (PropertyPair{5, 6}));
}

TEST(PropertyBag, QuadAndPairLeaveTheOutputAloneWhenAbsentAndThrowWhenShort) {
    LooseBag loose;
    PropertyBag& bag = loose.bag;
    PropertyQuad quad{9, 9, 9, 9};
    PropertyPair pair{8, 8};
    bag.get_quad(30, quad);
    bag.set_string(31, "");
    bag.get_pair(31, pair);
    EXPECT_EQ(quad, (PropertyQuad{9, 9, 9, 9}));
    EXPECT_EQ(pair, (PropertyPair{8, 8}));

    bag.set_string(32, std::string(12, '\1'));
    EXPECT_THROW(bag.get_quad(32, quad), UnpackError);
    EXPECT_EQ(quad, (PropertyQuad{9, 9, 9, 9}));
    bag.set_string(33, std::string(7, '\1'));
    EXPECT_THROW(bag.get_pair(33, pair), UnpackError);
}

TEST(PropertyBag, CommitWritesTheWholeSectionThroughItsStore) {
    testsupport::TemporaryFolder folder;
    ConfigStore store(folder.folder());
    PropertyBag* bag = store.load(ledgerward::SectionName);
    ASSERT_NE(bag, nullptr);
    EXPECT_EQ(bag->name(), "Ledgerward");
    bag->set_wstring(ledgerward::GuildUrl, u"http://guild.example/");
    bag->set_string(ledgerward::UserName, "raider");
    bag->set_string(ledgerward::Password, "secret");
    bag->commit();
    // A bag from load is not cached: releasing it does nothing.
    bag->release();

    PropertyBag* again = store.load(ledgerward::SectionName);
    EXPECT_EQ(again->map(), bag->map());
    store.destroy(again);
    store.destroy(bag);
    store.destroy(nullptr);
}
