#include "compoundfile/compound_file.h"

#include "scratch_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using compoundfile::Status;
using compoundfile::Storage;
using compoundfile::Stream;

TEST(CompoundFileLock, ASecondAccessFailsForAsLongAsTheFirstLasts) {
    ScratchFile file;
    std::unique_ptr<Storage> first;
    ASSERT_EQ(compoundfile::createFile(file.wide(), first), Status::Ok);
    std::unique_ptr<Storage> second;
    EXPECT_EQ(compoundfile::openFile(file.wide(), second), Status::Locked);

    // The lock moves with the content onto the file that replaces the old one.
    std::unique_ptr<Stream> stream;
    ASSERT_EQ(first->createStream(u"config", stream), Status::Ok);
    ASSERT_EQ(first->commit(), Status::Ok);
    EXPECT_EQ(compoundfile::openFile(file.wide(), second), Status::Locked);

    // Handles may go in any order; the file stays held until the last one is gone.
    first.reset();
    EXPECT_EQ(compoundfile::openFile(file.wide(), second), Status::Locked);
    stream.reset();
    EXPECT_EQ(compoundfile::openFile(file.wide(), second), Status::Ok);
}

TEST(CompoundFileLock, AnyOtherHolderOfTheLockKeepsTheFileClosed) {
    ScratchFile file;
    std::unique_ptr<Storage> root;
    ASSERT_EQ(compoundfile::createFile(file.wide(), root), Status::Ok);
    root.reset();
    const std::string before = file.bytes();

    const int holder = ::open(file.native().c_str(), O_RDONLY);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    EXPECT_EQ(compoundfile::openFile(file.wide(), root), Status::Locked);
    EXPECT_EQ(compoundfile::createFile(file.wide(), root), Status::AlreadyExists);
    ::close(holder);
    EXPECT_EQ(file.bytes(), before);
    EXPECT_EQ(compoundfile::openFile(file.wide(), root), Status::Ok);
}
