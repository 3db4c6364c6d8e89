#include "utilkit/ufile.h"

#include "testsupport/fault_injection.h"
#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::u16string wide(const fs::path& path) {
    return ufile::fromNativePath(path.native());
}

std::string contentOf(const fs::path& path) {
    std::string data;
    EXPECT_TRUE(ufile::ReadFileData(wide(path), data));
    return data;
}

std::size_t entriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

} // namespace

TEST(WriteFileData, ReplacesWholeFileAndKeepsItsPermissions) {
    const testsupport::TemporaryFolder folder{"ufile_test"};
    const fs::path file = folder.path("data.lua");
    ASSERT_TRUE(ufile::WriteFileData(wide(file), std::string("old and long content")));
    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(ufile::WriteFileData(wide(file), std::string("new\0bytes", 9)));
    EXPECT_EQ(contentOf(file), std::string("new\0bytes", 9));
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0640));
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(WriteFileData, FailingWritesLeaveTheOldFileIntact) {
    const testsupport::TemporaryFolder folder{"ufile_test"};
    const fs::path file = folder.path("data.lua");
    ASSERT_TRUE(ufile::WriteFileData(wide(file), "old content"));
    const std::string big(1 << 20, 'x');

    // The disk is full for the writer: the file size limit cuts its write short.
    const int fullDisk = testsupport::exitCodeOf(testsupport::inChild([&] {
        if (!testsupport::limitFileSize(4096))
            return 2;
        return ufile::WriteFileData(wide(file), big) ? 1 : 0;
    }));
    EXPECT_EQ(fullDisk, 0);
    EXPECT_EQ(contentOf(file), "old content");
    EXPECT_EQ(entriesIn(folder.path()), 1u) << "the partial file must be removed";

    // The folder is read-only.
    ::chmod(folder.path().c_str(), 0555);
    const int readOnly = testsupport::exitCodeOf(testsupport::inChild([&] {
        if (!testsupport::dropToOrdinaryUser())
            return 2;
        return ufile::WriteFileData(wide(file), big) ? 1 : 0;
    }));
    ::chmod(folder.path().c_str(), 0755);
    EXPECT_EQ(readOnly, 0);
    EXPECT_EQ(contentOf(file), "old content");
    EXPECT_EQ(entriesIn(folder.path()), 1u);

    EXPECT_FALSE(ufile::WriteFileData(wide(folder.path("missing/data.lua")), "x"));
}

TEST(WriteFileData, KilledWriterLeavesOldOrNewContent) {
    const testsupport::TemporaryFolder folder{"ufile_test"};
    const fs::path file = folder.path("data.lua");
    const std::string first(300000, 'a');
    const std::string second(200000, 'b');
    ASSERT_TRUE(ufile::WriteFileData(wide(file), first));
    std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<int> delayMicroseconds(0, 30000);
    for (int round = 0; round < 25; ++round) {
        const pid_t writer = ::fork();
        if (writer == 0) {
            for (int i = 0;; ++i)
                ufile::WriteFileData(wide(file), i % 2 ? first : second);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);
        const std::string now = contentOf(file);
        ASSERT_TRUE(now == first || now == second)
            << "round " << round << ": " << now.size() << " bytes";
    }
}

// Files are read whole through a buffer smaller than they are: every byte, NULs included, in
// order; an empty file reads as empty; a folder or a missing file is refused.
TEST(ReadFileData, ReadsEveryByteOfFilesOfAnySize) {
    const testsupport::TemporaryFolder folder{"ufile_read_test"};
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{65536},
                                   std::size_t{65537}, std::size_t{300001}}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>((i * 7919) % 251);
        const fs::path file = folder.path("data-" + std::to_string(size));
        ASSERT_TRUE(ufile::WriteFileData(wide(file), bytes));
        std::string read = "left over";
        EXPECT_TRUE(ufile::ReadFileData(wide(file), read));
        EXPECT_TRUE(read == bytes) << size;
    }
    std::string read = "left over";
    EXPECT_FALSE(ufile::ReadFileData(wide(folder.path()), read));
    EXPECT_FALSE(ufile::ReadFileData(wide(folder.path("missing")), read));
}
