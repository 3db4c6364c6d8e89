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
    config::PropertyBag bag{"Ledgerward", packing::PropertyMap(), nullptr};
};

} // namespace

TEST(PropertyBag, IntegersAreDecimalDigitsReadUpToTheFirstOtherByte) {
    LooseBag loose;
    config::PropertyBag& bag = loose.bag;
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
    config::PropertyBag& bag = loose.bag;
    EXPECT_EQ(bag.get_string(config::ledgerward::UserName, "def"), "def");
    bag.set_string(config::ledgerward::UserName, "");
    EXPECT_EQ(bag.get_string(config::ledgerward::UserName, "def"), "def");
    bag.set_string(config::ledgerward::UserName, std::string("\xD5\xC5\0x", 4));
    EXPECT_EQ(bag.get_string(config::ledgerward::UserName, "def"), std::string("\xD5\xC5\0x", 4));
}

TEST(PropertyBag, WideTextIsStoredAsUtf8) {
    LooseBag loose;
    config::PropertyBag& bag = loose.bag;
    std::u16string text = u"stale";
    bag.get_wstring(config::ledgerward::GuildUrl, text);
    EXPECT_EQ(text, u"");
    bag.set_wstring(config::ledgerward::WowFolder, u"/游戏/魔兽世界/");
    EXPECT_EQ(*bag.map().find(config::ledgerward::WowFolder), "/\xE6\xB8\xB8\xE6\x88\x8F/"
                                                              "\xE9\xAD\x94\xE5\x85\xBD\xE4\xB8\x96"
                                                              "\xE7\x95\x8C/");
    bag.get_wstring(config::ledgerward::WowFolder, text);
    EXPECT_EQ(text, u"/游戏/魔兽世界/");
}

TEST(PropertyBag, QuadIsStoredSecondFirstFourthThird) {
    LooseBag loose;
    config::PropertyBag& bag = loose.bag;
    bag.set_quad(20, config::PropertyQuad{1, 2, 3, 4});
    EXPECT_EQ(*bag.map().find(20), std::string("\x02\0\0\0\x01\0\0\0\x04\0\0\0\x03\0\0\0", 16));
    config::PropertyQuad quad;
    bag.get_quad(20, quad);
    EXPECT_EQ(quad, (config::PropertyQuad{1, 2, 3, 4}));

    bag.set_pair(21, config::PropertyPair{5, 6});
    EXPECT_EQ(*bag.map().find(21), std::string("\x05\0\0\0\x06\0\0\0", 8));
    config::PropertyPair pair;
    bag.get_pair(21, pair);
    EXPECT_EQ(pair, (config::PropertyPair{5, 6}));
}

TEST(PropertyBag, QuadAndPairLeaveTheOutputAloneWhenAbsentAndThrowWhenShort) {
    LooseBag loose;
    config::PropertyBag& bag = loose.bag;
    config::PropertyQuad quad{9, 9, 9, 9};
    config::PropertyPair pair{8, 8};
    bag.get_quad(30, quad);
    bag.set_string(31, "");
    bag.get_pair(31, pair);
    EXPECT_EQ(quad, (config::PropertyQuad{9, 9, 9, 9}));
    EXPECT_EQ(pair, (config::PropertyPair{8, 8}));

    bag.set_string(32, std::string(12, '\1'));
    EXPECT_THROW(bag.get_quad(32, quad), packing::UnpackError);
    EXPECT_EQ(quad, (config::PropertyQuad{9, 9, 9, 9}));
    bag.set_string(33, std::string(7, '\1'));
    EXPECT_THROW(bag.get_pair(33, pair), packing::UnpackError);
}

TEST(PropertyBag, CommitWritesTheWholeSectionThroughItsStore) {
    testsupport::TemporaryFolder folder;
    config::ConfigStore store(folder.folder());
    config::PropertyBag* bag = store.load(config::ledgerward::SectionName);
    ASSERT_NE(bag, nullptr);
    EXPECT_EQ(bag->name(), "Ledgerward");
    bag->set_wstring(config::ledgerward::GuildUrl, u"http://guild.example/");
    bag->set_string(config::ledgerward::UserName, "raider");
    bag->set_string(config::ledgerward::Password, "secret");
    bag->commit();
    // A bag from load is not cached: releasing it does nothing.
    bag->release();

    config::PropertyBag* again = store.load(config::ledgerward::SectionName);
    EXPECT_EQ(again->map(), bag->map());
    store.destroy(again);
    store.destroy(bag);
    store.destroy(nullptr);
}
