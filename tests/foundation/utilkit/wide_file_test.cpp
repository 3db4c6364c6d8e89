#include "utilkit/ufile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

// The file operations as a Windows user meets them: Chinese folder and file names, bytes that
// text mode would change (CR LF, Ctrl-Z, NUL), and a replace of a file that exists.

namespace fs = std::filesystem;

namespace {

class WideFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        folder_ = ufile::fromPath(fs::temp_directory_path());
        if (folder_.back() != u'/')
            folder_ += u'/'; // Windows ends it with a separator, Linux does not
        folder_ += u"账号 ";
        for (int letter = 0; letter < 8; ++letter)
            folder_ += static_cast<char16_t>(u'a' + random() % 26);
        folder_ += u'/';
        ASSERT_TRUE(fs::create_directories(ufile::toPath(folder_)));
    }
    void TearDown() override { ufile::DeleteDirectory(folder_); }

    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(ufile::toPath(folder_)), {}));
    }

    std::u16string folder_;
};

constexpr char kBinaryBytes[] = "line\r\nnext\n\x1A after Ctrl-Z\0and NUL\r";
const std::string kBinary(kBinaryBytes, sizeof kBinaryBytes - 1);

TEST_F(WideFileTest, ChineseNamesCarryBytesUnchangedAndReplaceWholeFiles) {
    const std::u16string file = folder_ + u"团队记录.lua";
    ASSERT_TRUE(ufile::WriteFileData(file, "an older and longer content"));
    ASSERT_TRUE(ufile::WriteFileData(file, kBinary));
    std::string read;
    ASSERT_TRUE(ufile::ReadFileData(file, read));
    EXPECT_EQ(read, kBinary);
    EXPECT_EQ(entries(), 1u) << "no copy is left beside the replaced file";
    EXPECT_EQ(ufile::fromPath(ufile::toPath(file)), file);
    EXPECT_EQ(ufile::GetFileNameFromPath(file), u"团队记录.lua");
    EXPECT_FALSE(ufile::isFolder(file));
    EXPECT_TRUE(ufile::isFolder(folder_));
}

TEST_F(WideFileTest, ReadingAFolderOrAMissingFileFails) {
    std::string read = "kept";
    EXPECT_FALSE(ufile::ReadFileData(folder_ + u"没有.lua", read));
    EXPECT_FALSE(ufile::ReadFileData(folder_, read));
    EXPECT_EQ(read, "kept");
    EXPECT_FALSE(ufile::WriteFileData(folder_ + u"没有的文件夹/文件", "x"));
    EXPECT_EQ(entries(), 0u);
}

TEST_F(WideFileTest, CopiesTreesAndRemovesOnlyCopiesOfEndedWriters) {
    const std::u16string source = folder_ + u"源/子目录/";
    ASSERT_TRUE(fs::create_directories(ufile::toPath(source)));
    ASSERT_TRUE(ufile::WriteFileData(source + u"数据.lua", kBinary));
    ASSERT_TRUE(ufile::CopyDirectory(folder_ + u"源", folder_ + u"副本", true));
    std::string read;
    ASSERT_TRUE(ufile::ReadFileData(folder_ + u"副本/子目录/数据.lua", read));
    EXPECT_EQ(read, kBinary);

    // No process has that number; the other name is no copy's name.
    const std::u16string file = source + u"数据.lua";
    const std::u16string ended = file + u".tmp2147483646-17";
    const std::u16string other = file + u".tmp12x-3";
    ASSERT_TRUE(ufile::WriteFileData(ended, "unfinished"));
    ASSERT_TRUE(ufile::WriteFileData(other, "kept"));
    ufile::removeUnfinishedCopies(file);
    EXPECT_FALSE(ufile::ReadFileData(ended, read));
    EXPECT_TRUE(ufile::ReadFileData(other, read));
    EXPECT_TRUE(ufile::ReadFileData(file, read));
}

} // namespace
