#include "packing/pack_buffer.h"

#include <gtest/gtest.h>

#include <string>

namespace {
constexpr std::size_t kBlock = packing::PackBuffer::kBlockSize;
}

TEST(PackBuffer, StartsEmptyOnASharedZeroByte) {
    packing::PackBuffer a;
    packing::PackBuffer b;
    EXPECT_EQ(a.size(), 0u);
    EXPECT_EQ(a.capacity(), 0u);
    EXPECT_EQ(a.data(), b.data());
    EXPECT_EQ(*a.data(), 0);
    EXPECT_TRUE(a.append(nullptr, 0));
    EXPECT_EQ(a.capacity(), 0u);
}

TEST(PackBuffer, GrowsExactlyToTheNextWholeBlock) {
    packing::PackBuffer buffer;
    const std::string bytes(kBlock, 'x');
    ASSERT_TRUE(buffer.append("abc", 3));
    EXPECT_EQ(buffer.capacity(), kBlock);

    // Filling exactly the free space keeps the storage.
    const char* before = buffer.data();
    ASSERT_TRUE(buffer.append(bytes.data(), buffer.free_space()));
    EXPECT_EQ(buffer.data(), before);
    EXPECT_EQ(buffer.free_space(), 0u);

    // One more byte adds one block and keeps the content.
    ASSERT_TRUE(buffer.append("y", 1));
    EXPECT_EQ(buffer.capacity(), 2 * kBlock);
    EXPECT_EQ(std::string(buffer.data(), 3), "abc");
    EXPECT_EQ(buffer.data()[kBlock], 'y');

    // Needing 16385 bytes beyond the free space adds two blocks.
    ASSERT_TRUE(buffer.increase_capacity(buffer.free_space() + kBlock + 1));
    EXPECT_EQ(buffer.capacity(), 4 * kBlock);
}

TEST(PackBuffer, RefusesToGrowBeyondTheBlockLimit) {
    packing::PackBuffer buffer;
    ASSERT_TRUE(buffer.append("a", 1));
    EXPECT_FALSE(buffer.increase_capacity(std::size_t{packing::PackBuffer::kMaxBlocks} * kBlock));
    EXPECT_FALSE(buffer.resize(std::size_t{packing::PackBuffer::kMaxBlocks} * kBlock + 1));
    EXPECT_EQ(buffer.size(), 1u);
    EXPECT_EQ(buffer.capacity(), kBlock);
}

TEST(PackBuffer, ResizeFillsWhenGrowingAndKeepsStorageWhenShrinking) {
    packing::PackBuffer buffer;
    ASSERT_TRUE(buffer.resize(5, '\x7f'));
    EXPECT_EQ(std::string(buffer.data(), 5), std::string(5, '\x7f'));
    const char* before = buffer.data();
    ASSERT_TRUE(buffer.resize(2));
    EXPECT_EQ(buffer.size(), 2u);
    EXPECT_EQ(buffer.capacity(), kBlock);
    EXPECT_EQ(buffer.data(), before);
}

TEST(PackBuffer, AppendsFromItsOwnBytesEvenWhenItMustGrow) {
    packing::PackBuffer buffer;
    const std::string bytes(kBlock, 'z');
    ASSERT_TRUE(buffer.append("head", 4));
    ASSERT_TRUE(buffer.append(bytes.data(), kBlock - 4));
    // The source lies in the storage that growing replaces.
    ASSERT_TRUE(buffer.append(buffer.data(), 4));
    EXPECT_EQ(std::string(buffer.data() + kBlock, 4), "head");
}
