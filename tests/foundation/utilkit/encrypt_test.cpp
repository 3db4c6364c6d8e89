#include "utilkit/encrypt.h"

#include <gtest/gtest.h>

TEST(Encrypt, DigestsAreLowerCaseHex) {
    EXPECT_EQ(encrypt::SHA("abc"),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(encrypt::MD5(""), "d41d8cd98f00b204e9800998ecf8427e");
}

TEST(Encrypt, UrlEncodeKeepsOnlyUnreservedBytes) {
    EXPECT_EQ(encrypt::urlEncode("aZ09-._~"), "aZ09-._~");
    EXPECT_EQ(encrypt::urlEncode("a b&c=/"), "a%20b%26c%3D%2F");
    EXPECT_EQ(encrypt::urlEncode("\xE5\xB0\x8F"), "%E5%B0%8F");
}
