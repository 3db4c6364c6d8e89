#include "packing/pack.h"
#include "packing/packet_error.h"
#include "packing/unpack.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string bytesOf(const packing::Pack& pack) {
    return std::string(pack.data(), pack.size());
}

template <typename Error, typename Action>
void expectError(Action action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "expected " << message;
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), message);
    }
}

} // namespace

TEST(Pack, WritesLittleEndianFieldsAndLengthPrefixedStrings) {
    packing::PackBuffer buffer;
    packing::Pack pack(buffer);
    pack.push_uint16(0x0102).push_uint32(0x03040506);
    pack << 7u;
    pack.push_varstr("ab", 2);
    EXPECT_EQ(bytesOf(pack), std::string("\x02\x01\x06\x05\x04\x03\x07\x00\x00\x00\x02\x00"
                                         "ab",
                                         14));
}

TEST(Pack, StartsBehindWhatTheBufferAlreadyHolds) {
    packing::PackBuffer buffer;
    ASSERT_TRUE(buffer.append("0123456789", 10));
    packing::Pack pack(buffer);
    EXPECT_EQ(pack.size(), 0u);
    EXPECT_EQ(pack.data(), buffer.data() + 10);

    packing::Pack gapped(buffer, 3);
    EXPECT_EQ(buffer.size(), 13u);
    EXPECT_EQ(std::string(buffer.data() + 10, 3), std::string(3, '\0'));
}

TEST(Pack, RefusesAVarstrOf65536BytesAndKeepsTheBuffer) {
    packing::PackBuffer buffer;
    packing::Pack pack(buffer);
    const std::string largest(65535, 'v');
    pack.push_varstr(largest.data(), largest.size());
    EXPECT_EQ(pack.size(), 65537u);
    EXPECT_EQ(std::string(pack.data(), 2), "\xFF\xFF");

    const std::string tooLong(65536, 'v');
    expectError<packing::PackError>([&] { pack.push_varstr(tooLong.data(), tooLong.size()); },
                                    "push_varstr: varstr too big");
    EXPECT_EQ(pack.size(), 65537u);
}

TEST(Pack, ReportsBufferOverflow) {
    packing::PackBuffer buffer;
    expectError<packing::PackError>([&] { packing::Pack pack(buffer, std::size_t{1} << 31); },
                                    "resize buffer overflow");
    EXPECT_EQ(buffer.size(), 0u);

    ASSERT_TRUE(buffer.resize(
        std::size_t{packing::PackBuffer::kMaxBlocks} * packing::PackBuffer::kBlockSize - 3));
    packing::Pack pack(buffer);
    pack.push_uint16(1);
    expectError<packing::PackError>([&] { pack.push_uint16(2); }, "append buffer overflow");
    expectError<packing::PackError>([&] { pack.push_varstr("", 0); }, "append buffer overflow");
    EXPECT_EQ(pack.size(), 2u);
    // PackError is a PacketError, which is a standard runtime error.
    EXPECT_THROW(pack.push_uint32(1), packing::PacketError);
    EXPECT_THROW(pack.push_uint32(1), std::runtime_error);
}

TEST(Unpack, ReadsWhatPackWrote) {
    packing::PackBuffer buffer;
    packing::Pack pack(buffer);
    pack.push_uint16(0xBEEF).push_uint32(0xDEADBEEF).push_varstr("hello", 5) << 42u;

    packing::Unpack unpack(pack.data(), pack.size());
    EXPECT_EQ(unpack.pop_uint16(), 0xBEEF);
    EXPECT_EQ(unpack.pop_uint32(), 0xDEADBEEFu);
    const packing::Varstr text = unpack.pop_varstr();
    EXPECT_EQ(text.toString(), "hello");
    EXPECT_EQ(text.data, pack.data() + 6 + 2);
    std::uint32_t last = 0;
    unpack >> last;
    EXPECT_EQ(last, 42u);
    EXPECT_EQ(unpack.size(), 0u);
}

TEST(Unpack, AFailedPopConsumesNothing) {
    const char bytes[] = {0x05, 0x00, 'a', 'b', 'c'};
    packing::Unpack unpack(bytes, sizeof bytes);
    expectError<packing::UnpackError>([&] { unpack.pop_varstr(); },
                                      "pop_fetch_ptr: not enough data");
    EXPECT_EQ(unpack.data(), bytes);
    EXPECT_EQ(unpack.size(), 5u);
    expectError<packing::UnpackError>([&] { unpack.pop_fetch_ptr(6); },
                                      "pop_fetch_ptr: not enough data");

    unpack.pop_fetch_ptr(4);
    expectError<packing::UnpackError>([&] { unpack.pop_uint16(); }, "pop_uint16: not enough data");
    expectError<packing::UnpackError>([&] { unpack.pop_uint32(); }, "pop_uint32: not enough data");
    EXPECT_EQ(unpack.size(), 1u);
    EXPECT_EQ(*unpack.pop_fetch_ptr(1), 'c');
}
