#include "packing/pack.h"
#include "packing/packet_error.h"
#include "packing/property_map.h"
#include "packing/unpack.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

std::string packed(const PropertyMap& map) {
    PackBuffer buffer;
    Pack pack(buffer);
    map.marshal(pack);
    return std::string(pack.data(), pack.size());
}

void unpackInto(PropertyMap& map, const std::string& bytes) {
    Unpack unpack(bytes.data(), bytes.size());
    map.unmarshal(unpack);
}

} // namespace

TEST(PropertyMap, PacksCountThenEntriesInKeyOrder) {
    PropertyMap map;
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
    PropertyMap map;
    map.set(1, "kept");
    map.set(1002, "old");
    unpackInto(map, std::string("\x02\x00\x00\x00\xEA\x03\x01\x00x\xEA\x03\x01\x00y", 14));
    EXPECT_EQ(map.size(), 2u);
    EXPECT_EQ(*map.find(1), "kept");
    EXPECT_EQ(*map.find(1002), "y");

    PropertyMap empty;
    unpackInto(empty, std::string(4, '\0'));
    EXPECT_TRUE(empty.empty());
}

TEST(PropertyMap, ATruncatedEntryThrowsAfterKeepingTheEntriesBeforeIt) {
    PropertyMap map;
    const std::string bytes("\x02\x00\x00\x00\x05\x00\x01\x00z", 9);
    try {
        unpackInto(map, bytes);
        ADD_FAILURE() << "expected an UnpackError";
    } catch (const UnpackError& error) {
        EXPECT_STREQ(error.what(), "pop_uint16: not enough data");
    }
    EXPECT_EQ(map.size(), 1u);
    EXPECT_EQ(*map.find(5), "z");
}

TEST(PropertyMap, SetReportsWhetherTheKeyWasAbsentOrDifferent) {
    PropertyMap map;
    EXPECT_TRUE(map.set(3, "a"));
    EXPECT_FALSE(map.set(3, "a"));
    EXPECT_TRUE(map.set(3, "b", false));
    EXPECT_EQ(*map.find(3), "a");
    EXPECT_TRUE(map.set(3, "b"));
    EXPECT_EQ(*map.find(3), "b");

    PropertyMap source;
    source.set(3, "b");
    EXPECT_FALSE(map.merge(source));
    source.set(4, "c");
    EXPECT_TRUE(map.merge(source));
    EXPECT_EQ(map.size(), 2u);
}

TEST(PropertyMap, TracesKeyInHexAndValueLength) {
    PropertyMap map;
    map.set(1002, "ab");
    map.set(10, std::string(300, 'q'));
    std::ostringstream out;
    map.trace(out);
    EXPECT_EQ(out.str(), "(a,300)\n(3ea,2)\n");

    struct Plain : Marshallable {
        void marshal(Pack&) const override {}
        void unmarshal(Unpack&) override {}
    } plain;
    std::ostringstream base;
    plain.trace(base);
    EXPECT_EQ(base.str(), "trace Marshallable [ not immplement ]");
}
