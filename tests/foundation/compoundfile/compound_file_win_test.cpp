// The compound-file back end on OLE structured storage as Windows shows it: the lock that a
// second access meets, the whole-file commit, files that are no compound files, read-only files.
// Files written by each system are read by the other in tools/run/windows/compare_compoundfile.sh.
#include "compoundfile/compound_file.h"

#include "utilkit/ufile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;
using compoundfile::Status;
using compoundfile::Storage;
using compoundfile::Stream;

namespace {

class CompoundFileWindows : public testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        folder_ = ufile::fromPath(fs::temp_directory_path());
        if (folder_.back() != u'/')
            folder_ += u'/';
        folder_ += u"设置 ";
        for (int i = 0; i < 6; ++i)
            folder_ += static_cast<char16_t>(u'a' + random() % 26);
        folder_ += u'/';
        ASSERT_TRUE(fs::create_directories(ufile::toPath(folder_)));
    }
    void TearDown() override {
        ::SetFileAttributesW(ufile::toPath(file()).c_str(), FILE_ATTRIBUTE_NORMAL);
        ufile::DeleteDirectory(folder_);
    }

    std::u16string file() const { return folder_ + u"config.cfg"; }
    std::string bytes() const {
        std::string data;
        ufile::ReadFileData(file(), data);
        return data;
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(ufile::toPath(folder_)), {}));
    }
    // Creates the file with one stream "config" holding `text`, committed.
    void createWith(const std::string& text) {
        std::unique_ptr<Storage> root;
        std::unique_ptr<Stream> stream;
        ASSERT_EQ(compoundfile::createFile(file(), root), Status::Ok);
        ASSERT_EQ(root->createStream(u"config", stream), Status::Ok);
        ASSERT_EQ(stream->write(text.data(), text.size()), Status::Ok);
        ASSERT_EQ(root->commit(), Status::Ok);
    }

    std::u16string folder_;
};

TEST_F(CompoundFileWindows, ASecondAccessIsLockedOutForAsLongAsTheFirstLastsCommitsIncluded) {
    std::unique_ptr<Storage> first;
    ASSERT_EQ(compoundfile::createFile(file(), first), Status::Ok);
    std::unique_ptr<Storage> second;
    EXPECT_EQ(compoundfile::openFile(file(), second), Status::Locked);
    EXPECT_EQ(compoundfile::createFile(file(), second), Status::AlreadyExists);

    std::unique_ptr<Stream> stream;
    ASSERT_EQ(first->createStream(u"config", stream), Status::Ok);
    ASSERT_EQ(stream->write("v1", 2), Status::Ok);
    ASSERT_EQ(first->commit(), Status::Ok);
    // The commit wrote a new file and renamed it over the old one; the lock went with it.
    EXPECT_EQ(compoundfile::openFile(file(), second), Status::Locked);
    EXPECT_EQ(entries(), 1u);

    first.reset();
    stream.reset();
    ASSERT_EQ(compoundfile::openFile(file(), second), Status::Ok);
    ASSERT_EQ(second->openStream(u"CONFIG", stream), Status::Ok);
    EXPECT_EQ(stream->size(), 2u);
}

TEST_F(CompoundFileWindows, FilesThatAreNoCompoundFilesAreRefusedAndLeftAsTheyAre) {
    std::unique_ptr<Storage> root;
    EXPECT_EQ(compoundfile::openFile(file(), root), Status::FileNotFound);

    createWith(std::string(6000, 'x'));
    const std::string whole = bytes();
    for (const std::string& damaged : {std::string("not a compound file"),
                                       whole.substr(0, whole.size() / 2), whole.substr(0, 512)}) {
        SCOPED_TRACE(damaged.size());
        ASSERT_TRUE(ufile::WriteFileData(file(), damaged));
        EXPECT_EQ(compoundfile::openFile(file(), root), Status::NotCompoundFile);
        EXPECT_EQ(bytes(), damaged);
    }
}

TEST_F(CompoundFileWindows, AReadOnlyFileIsReadButNotReplaced) {
    createWith("kept");
    const std::string before = bytes();
    ASSERT_TRUE(::SetFileAttributesW(ufile::toPath(file()).c_str(), FILE_ATTRIBUTE_READONLY));

    std::unique_ptr<Storage> root;
    ASSERT_EQ(compoundfile::openFile(file(), root), Status::Ok);
    std::unique_ptr<Stream> stream;
    ASSERT_EQ(root->openStream(u"config", stream), Status::Ok);
    EXPECT_EQ(stream->size(), 4u);
    ASSERT_EQ(stream->write("changed", 7), Status::Ok);
    EXPECT_EQ(root->commit(), Status::AccessDenied);
    root.reset();
    stream.reset();
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(entries(), 1u);
}

// The unused parts of the file's sectors are zero, not whatever the memory held before: memory
// blocks of the kind the storage library grows its files in are filled with a marker and freed
// first, where the library's own memory blocks would hand the marker on into the file.
TEST_F(CompoundFileWindows, TheFileCarriesNothingOfTheProcesssMemory) {
    const std::string marker = "PROCESS-MEMORY-MARKER";
    for (int round = 0; round < 64; ++round) {
        const SIZE_T size = 512u << (round % 8);
        const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
        ASSERT_NE(block, nullptr);
        auto* bytes = static_cast<char*>(::GlobalLock(block));
        for (SIZE_T at = 0; at + marker.size() <= size; at += marker.size())
            std::memcpy(bytes + at, marker.data(), marker.size());
        ::GlobalUnlock(block);
        ::GlobalFree(block);
    }
    createWith("text");
    EXPECT_EQ(bytes().find(marker), std::string::npos);
    EXPECT_EQ(bytes().find("PROCESS"), std::string::npos);
}

} // namespace
