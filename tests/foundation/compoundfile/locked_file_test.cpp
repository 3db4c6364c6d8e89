// The locked file under the compound file, where the file system or the user's choices make
// the ordinary way impossible: a file the user may only read, a symbolic link, a file system
// without hard links.
#include "compoundfile/locked_file.h"
#include "scratch_file.h"
#include "testsupport/fault_injection.h"
#include "testsupport/files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/wait.h>
#include <unistd.h>

namespace compoundfile {
namespace {

namespace fs = std::filesystem;

using testsupport::writeFile;

// Opens `path` as a user who may only read it: in a child that gives up root, where the test
// runs as root (permission bits bind everyone else). The child's exit code says what it saw.
int openAsReader(const fs::path& path) {
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    return testsupport::exitCodeOf(testsupport::inChild([&] {
        if (!testsupport::dropToOrdinaryUser())
            return 10;
        std::unique_ptr<LockedFile> file;
        if (LockedFile::open(path.string(), file) != Status::Ok)
            return 1;
        std::string content;
        if (file->readAll(content, 1 << 20) != Status::Ok || content != "settings")
            return 2;
        if (file->replace("changed") != Status::AccessDenied)
            return 3;
        return 0;
    }));
}

TEST(LockedFile, AFileThatMayOnlyBeReadIsReadAndNotReplaced) {
    ScratchFile scratch;
    writeFile(scratch.native(), "settings");
    EXPECT_EQ(openAsReader(scratch.native()), 0) << "1: not opened, 2: not read, 3: replaced";
    EXPECT_EQ(testsupport::readFile(scratch.native()), "settings");
}

TEST(LockedFile, ALinkKeepsPointingAtTheFileWhoseContentIsReplaced) {
    ScratchFile scratch;
    const fs::path target = scratch.native().parent_path() / "data" / "real.cfb";
    fs::create_directories(target.parent_path());
    writeFile(target, "old");
    fs::create_symlink(target, scratch.native());

    std::unique_ptr<LockedFile> file;
    ASSERT_EQ(LockedFile::open(scratch.native().string(), file), Status::Ok);
    ASSERT_EQ(file->replace("new"), Status::Ok);
    EXPECT_TRUE(fs::is_symlink(scratch.native()));
    EXPECT_EQ(testsupport::readFile(target), "new");
    EXPECT_EQ(testsupport::readFile(scratch.native()), "new");
}

int linkRefused(const char*, const char*) {
    errno = EPERM; // what vfat answers
    return -1;
}

TEST(LockedFile, WithoutHardLinksANewFileIsStillPublishedWholeAndNeverOverAnother) {
    ScratchFile scratch;
    const fs::path temporary = scratch.native().string() + ".tmp1";
    writeFile(temporary, "whole");
    EXPECT_EQ(publishWithoutReplacing(temporary, scratch.native(), linkRefused), 0);
    EXPECT_EQ(testsupport::readFile(scratch.native()), "whole");
    EXPECT_FALSE(fs::exists(temporary));

    writeFile(temporary, "other");
    EXPECT_EQ(publishWithoutReplacing(temporary, scratch.native(), linkRefused), EEXIST);
    EXPECT_EQ(testsupport::readFile(scratch.native()), "whole");
    EXPECT_EQ(publishWithoutReplacing(temporary, scratch.native()), EEXIST); // by hard link
    EXPECT_EQ(testsupport::readFile(scratch.native()), "whole");
}

} // namespace
} // namespace compoundfile
