#include "packing/pack.h"
#include "packing/packet_error.h"
#include "packing/property_map.h"
#include "packing/unpack.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

std::string packed(const packing::PropertyMap& map) {
    packing::PackBuffer buffer;
    packing::Pack pack(buffer);
    map.marshal(pack);
    return std::string(pack.data(), pack.size());
}

void unpackInto(packing::PropertyMap& map, const std::string& bytes) {
    packing::Unpack unpack(bytes.data(), bytes.size());
    map.unmarshal(unpack);
}

} // namespace

TEST(PropertyMap, PacksCountThenEntriesInKeyOrder) {
    packing::PropertyMap map;
    EXPECT_EQ(packed(map), std::string(4, '\0'));

    map.set(1002, "ab");
    EXPECT_EQ(packed(map), std::string("\x01\x00\x00\x00\xEA\x03\x02\x00"
                                       "ab",
                                       10));

    map.set(7, "");
    EXPECT_EQ(packed(map), std::string("\x02\x00\x00\x00\x07\x00\x00\x00\xEA\x03\x02\x00"
                                       "ab",
                                       14));
}

TEST(PropertyMap, UnpackMergesAndTheLaterDuplicateWins) {
    packing::PropertyMap map;
    map.set(1, "kept");
    map.set(1002, "old");
    unpackInto(map, std::string("\x02\x00\x00\x00\xEA\x03\x01\x00x\xEA\x03\x01\x00y", 14));
    EXPECT_EQ(map.size(), 2u);
    EXPECT_EQ(*map.find(1), "kept");
    EXPECT_EQ(*map.find(1002), "y");

    packing::PropertyMap empty;
    unpackInto(empty, std::string(4, '\0'));
    EXPECT_TRUE(empty.empty());
}

TEST(PropertyMap, ATruncatedEntryThrowsAfterKeepingTheEntriesBeforeIt) {
    packing::PropertyMap map;
    const std::string bytes("\x02\x00\x00\x00\x05\x00\x01\x00z", 9);
    try {
        unpackInto(map, bytes);
        ADD_FAILURE() << "expected an UnpackError";
    } catch (const packing::UnpackError& error) {
        EXPECT_STREQ(error.what(), "pop_uint16: not enough data");
    }
    EXPECT_EQ(map.size(), 1u);
    EXPECT_EQ(*map.find(5), "z");
}

TEST(PropertyMap, SetReportsWhetherTheKeyWasAbsentOrDifferent) {
    packing::PropertyMap map;
    EXPECT_TRUE(map.set(3, "a"));
    EXPECT_FALSE(map.set(3, "a"));
    EXPECT_TRUE(map.set(3, "b", false));
    EXPECT_EQ(*map.find(3), "a");
    EXPECT_TRUE(map.set(3, "b"));
    EXPECT_EQ(*map.find(3), "b");

    packing::PropertyMap source;
    source.set(3, "b");
    EXPECT_FALSE(map.merge(source));
    source.set(4, "c");
    EXPECT_TRUE(map.merge(source));
    EXPECT_EQ(map.size(), 2u);
}

TEST(PropertyMap, TracesKeyInHexAndValueLength) {
    packing::PropertyMap map;
    map.set(1002, "ab");
    map.set(10, std::string(300, 'q'));
    std::ostringstream out;
    map.trace(out);
    EXPECT_EQ(out.str(), "(a,300)\n(3ea,2)\n");

    struct Plain : packing::Marshallable {
        void marshal(packing::Pack&) const override {}
        void unmarshal(packing::Unpack&) override {}
    } plain;
    std::ostringstream base;
    plain.trace(base);
    EXPECT_EQ(base.str(), "trace Marshallable [ not immplement ]");
}
