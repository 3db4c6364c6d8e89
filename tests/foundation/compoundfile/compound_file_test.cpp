#include "compoundfile/compound_file.h"

#include "scratch_file.h"

#include "utilkit/ustring.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using compoundfile::Status;
using compoundfile::Storage;
using compoundfile::Stream;

namespace {

std::string readAll(Stream& stream) {
    std::string bytes(stream.size(), '\0');
    std::size_t done = 0;
    EXPECT_EQ(stream.seek(0), Status::Ok);
    EXPECT_EQ(stream.read(bytes.data(), bytes.size(), done), Status::Ok);
    bytes.resize(done);
    return bytes;
}

} // namespace

TEST(CompoundFile, CreatesAnEmptyOwnerOnlyFileAndNeverReplacesOne) {
    ScratchFile file;
    std::unique_ptr<Storage> root;
    EXPECT_EQ(compoundfile::openFile(file.wide(), root), Status::FileNotFound);
    EXPECT_FALSE(std::filesystem::exists(file.native()));

    ASSERT_EQ(compoundfile::createFile(file.wide(), root), Status::Ok);
    EXPECT_TRUE(root->elementNames().empty());
    struct stat info {};
    ASSERT_EQ(::stat(file.native().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    root.reset();

    const std::string before = file.bytes();
    std::unique_ptr<Storage> again;
    EXPECT_EQ(compoundfile::createFile(file.wide(), again), Status::AlreadyExists);
    EXPECT_EQ(file.bytes(), before);
    // No temporary file is left behind.
    EXPECT_EQ(file.filesInFolder(), 1u);
}

TEST(CompoundFile, StoragesAndStreamsSurviveACommit) {
    ScratchFile file;
    {
        std::unique_ptr<Storage> root;
        ASSERT_EQ(compoundfile::createFile(file.wide(), root), Status::Ok);
        std::unique_ptr<Storage> section;
        std::unique_ptr<Stream> stream;
        ASSERT_EQ(root->createStorage(u"Ledgerward", section), Status::Ok);
        ASSERT_EQ(section->createStream(u"config", stream), Status::Ok);
        const std::string big(5000, 'b');
        ASSERT_EQ(stream->write(big.data(), big.size()), Status::Ok);
        std::unique_ptr<Stream> small;
        ASSERT_EQ(root->createStream(u"note", small), Status::Ok);
        ASSERT_EQ(small->write("hi", 2), Status::Ok);
        ASSERT_EQ(root->commit(), Status::Ok);
    }
    std::unique_ptr<Storage> root;
    ASSERT_EQ(compoundfile::openFile(file.wide(), root), Status::Ok);
    EXPECT_THAT(root->elementNames(), ::testing::UnorderedElementsAre(u"Ledgerward", u"note"));
    std::unique_ptr<Storage> section;
    std::unique_ptr<Stream> stream;
    // Names compare without regard to the case of A-Z.
    ASSERT_EQ(root->openStorage(u"LEDGERWARD", section), Status::Ok);
    ASSERT_EQ(section->openStream(u"Config", stream), Status::Ok);
    EXPECT_EQ(readAll(*stream), std::string(5000, 'b'));
    ASSERT_EQ(root->openStream(u"note", stream), Status::Ok);
    EXPECT_EQ(readAll(*stream), "hi");
}

TEST(CompoundFile, RefusesNamesThatAreTakenBadOrOfTheOtherKind) {
    ScratchFile file;
    std::unique_ptr<Storage> root;
    ASSERT_EQ(compoundfile::createFile(file.wide(), root), Status::Ok);
    std::unique_ptr<Storage> storage;
    std::unique_ptr<Stream> stream;
    ASSERT_EQ(root->createStorage(u"Ledgerward", storage), Status::Ok);
    EXPECT_EQ(root->createStream(u"ledgerward", stream), Status::AlreadyExists);
    EXPECT_EQ(root->openStream(u"Ledgerward", stream), Status::WrongKind);
    EXPECT_EQ(root->openStorage(u"Missing", storage), Status::ElementNotFound);
    EXPECT_EQ(root->destroyElement(u"Missing"), Status::ElementNotFound);
    for (const std::u16string& name : {std::u16string(), std::u16string(32, u'n'),
                                       std::u16string(u"a/b"), std::u16string(u"a!b")})
        EXPECT_EQ(root->createStorage(name, storage), Status::InvalidName);
    EXPECT_EQ(root->createStream(std::u16string(31, u'n'), stream), Status::Ok);
}

TEST(CompoundFile, DestroyingAStorageRemovesEverythingInIt) {
    ScratchFile file;
    std::unique_ptr<Storage> root;
    ASSERT_EQ(compoundfile::createFile(file.wide(), root), Status::Ok);
    std::unique_ptr<Storage> section;
    std::unique_ptr<Stream> stream;
    ASSERT_EQ(root->createStorage(u"Gone", section), Status::Ok);
    ASSERT_EQ(section->createStream(u"config", stream), Status::Ok);
    ASSERT_EQ(stream->write("x", 1), Status::Ok);
    ASSERT_EQ(root->createStorage(u"Kept", section), Status::Ok);
    ASSERT_EQ(root->commit(), Status::Ok);

    ASSERT_EQ(root->destroyElement(u"gone"), Status::Ok);
    // A handle into the destroyed storage stays usable and changes nothing in the file.
    EXPECT_EQ(stream->write("y", 1), Status::Ok);
    ASSERT_EQ(root->commit(), Status::Ok);
    root.reset();
    section.reset();
    stream.reset();

    ASSERT_EQ(compoundfile::openFile(file.wide(), root), Status::Ok);
    EXPECT_EQ(root->elementNames(), std::vector<std::u16string>{u"Kept"});
}

TEST(CompoundFile, StreamsReadFromAndWriteAtTheirPosition) {
    ScratchFile file;
    std::unique_ptr<Storage> root;
    ASSERT_EQ(compoundfile::createFile(file.wide(), root), Status::Ok);
    std::unique_ptr<Stream> stream;
    ASSERT_EQ(root->createStream(u"s", stream), Status::Ok);
    ASSERT_EQ(stream->write("abcdef", 6), Status::Ok);
    ASSERT_EQ(stream->seek(1), Status::Ok);
    ASSERT_EQ(stream->write("XY", 2), Status::Ok);
    char piece[4] = {};
    std::size_t done = 0;
    ASSERT_EQ(stream->read(piece, 4, done), Status::Ok);
    EXPECT_EQ(std::string(piece, done), "def");
    ASSERT_EQ(stream->read(piece, 4, done), Status::Ok);
    EXPECT_EQ(done, 0u);
    // Writing past the end fills the gap with zero bytes.
    ASSERT_EQ(stream->seek(8), Status::Ok);
    ASSERT_EQ(stream->write("z", 1), Status::Ok);
    EXPECT_EQ(readAll(*stream), std::string("aXYdef\0\0z", 9));
}

TEST(CompoundFile, ACommitWithoutChangesLeavesTheFileAsItWas) {
    ScratchFile file;
    std::unique_ptr<Storage> root;
    ASSERT_EQ(compoundfile::createFile(file.wide(), root), Status::Ok);
    std::unique_ptr<Storage> section;
    ASSERT_EQ(root->createStorage(u"Ledgerward", section), Status::Ok);
    ASSERT_EQ(root->commit(), Status::Ok);
    root.reset();
    section.reset();
    ASSERT_EQ(::chmod(file.native().c_str(), 0640), 0);

    const std::string before = file.bytes();
    const ino_t inode = file.inode();
    ASSERT_EQ(compoundfile::openFile(file.wide(), root), Status::Ok);
    ASSERT_EQ(root->openStorage(u"Ledgerward", section), Status::Ok);
    EXPECT_EQ(root->commit(), Status::Ok);
    EXPECT_EQ(file.inode(), inode);
    EXPECT_EQ(file.bytes(), before);

    // A real change replaces the file and keeps its permissions.
    std::unique_ptr<Stream> stream;
    ASSERT_EQ(section->createStream(u"config", stream), Status::Ok);
    ASSERT_EQ(root->commit(), Status::Ok);
    EXPECT_NE(file.inode(), inode);
    struct stat info {};
    ASSERT_EQ(::stat(file.native().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(file.filesInFolder(), 1u);
}

TEST(CompoundFile, ACommitThatCouldNotBeReadBackLeavesTheFileAsItWas) {
    ScratchFile file;
    std::unique_ptr<Storage> root;
    ASSERT_EQ(compoundfile::createFile(file.wide(), root), Status::Ok);
    const std::string before = file.bytes();
    // The library chains siblings one behind the other, deeper than a reader accepts.
    for (int i = 0; i < 1100; ++i) {
        std::unique_ptr<Stream> stream;
        ASSERT_EQ(root->createStream(u"s" + std::u16string(1, char16_t(u'0' + i % 10)) +
                                         ustring::fromUtf8(std::to_string(i)),
                                     stream),
                  Status::Ok);
    }
    EXPECT_EQ(root->commit(), Status::IoError);
    EXPECT_EQ(file.bytes(), before);
}
