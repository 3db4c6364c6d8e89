#include "cabinet/extract.h"

#include "testsupport/cabinet_builder.h"
#include "testsupport/files.h"
#include "testsupport/temporary_folder.h"

#include "utilkit/ufile.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using cabinet_test::CabinetEntry;
using cabinet_test::makeStoredCabinet;

namespace {

const fs::path kSamples = fs::path(RL_SOURCE_DIR) / "tests/data/cabinets";

using testsupport::readFile;
using testsupport::writeFile;

std::u16string wide(const fs::path& path) {
    return ufile::fromNativePath(path.native());
}

// Local calendar fields of a file's modification time.
std::tm localModified(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    std::tm parts{};
    localtime_r(&info.st_mtim.tv_sec, &parts);
    return parts;
}

std::vector<fs::path> treeOf(const fs::path& folder) {
    std::vector<fs::path> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        entries.push_back(entry.path().lexically_relative(folder));
    std::sort(entries.begin(), entries.end());
    return entries;
}

class CabinetExtract : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(destination_); }

    cabinet::ExtractResult extractFile(const fs::path& cabinetFile) {
        return cabinet::extract({wide(cabinetFile), wide(destination_), wide(staging_)});
    }
    cabinet::ExtractResult extractBytes(const std::string& bytes) {
        const fs::path file = root_ / "package.cab";
        writeFile(file, bytes);
        return extractFile(file);
    }
    // The destination holds nothing but the staging folder, empty.
    void expectDestinationUntouched() {
        const std::vector<fs::path> tree = treeOf(destination_);
        EXPECT_TRUE(tree.empty() || tree == std::vector<fs::path>{"temp"});
    }

    const testsupport::TemporaryFolder folder_{"cabinet-test"};
    const fs::path root_ = folder_.path();
    const fs::path destination_ = root_ / "program";
    const fs::path staging_ = root_ / "program/temp";
};

TEST_F(CabinetExtract, GcabStoredAndMszipCabinetsExtractByteExactWithTheirTimes) {
    const fs::path source = root_ / "source";
    fs::create_directories(source / "layout/main");
    std::string big;
    for (int i = 0; i < 200000; ++i)
        big.push_back(static_cast<char>((i * 7919) % 251));
    writeFile(source / "readme.txt", "hello cabinet\n");
    writeFile(source / "layout/main/data.bin", big);
    const struct timespec times[2] = {{1262311226, 0}, {1262311226, 0}}; // 2010-01-01, even
    ASSERT_EQ(::utimensat(AT_FDCWD, (source / "readme.txt").c_str(), times, 0), 0);
    ASSERT_EQ(::utimensat(AT_FDCWD, (source / "layout/main/data.bin").c_str(), times, 0), 0);

    for (const std::string compression : {"", "-z "}) {
        SCOPED_TRACE(compression.empty() ? "stored" : "MSZIP");
        const fs::path cab = root_ / "built.cab";
        const std::string command = "cd '" + source.string() + "' && gcab -c " + compression + "'" +
                                    cab.string() + "' readme.txt layout/main/data.bin";
        ASSERT_EQ(std::system(command.c_str()), 0);

        const cabinet::ExtractResult result = extractFile(cab);
        ASSERT_TRUE(result) << result.error;
        EXPECT_EQ(readFile(destination_ / "readme.txt"), "hello cabinet\n");
        EXPECT_EQ(readFile(destination_ / "layout/main/data.bin"), big);
        // gcab stores UTC fields where the format has local ones; cabextract reads them as the
        // format says, so its files carry the times the cabinet holds.
        const fs::path reference = root_ / "reference";
        fs::remove_all(reference);
        ASSERT_EQ(
            std::system(
                ("cabextract -q -d '" + reference.string() + "' '" + cab.string() + "'").c_str()),
            0);
        for (const char* name : {"readme.txt", "layout/main/data.bin"})
            EXPECT_EQ(fs::last_write_time(destination_ / name),
                      fs::last_write_time(reference / name))
                << name;
        EXPECT_NE(fs::last_write_time(destination_ / "readme.txt"),
                  fs::last_write_time(cab)); // not the time of extraction
        EXPECT_TRUE(fs::is_empty(staging_));
        fs::remove_all(destination_ / "layout");
    }
}

TEST_F(CabinetExtract, MszipLzxQuantumSampleGivesItsThreeFilesWith1997Times) {
    const cabinet::ExtractResult result = extractFile(kSamples / "mszip_lzx_qtm.cab");
    ASSERT_TRUE(result) << result.error;

    const fs::path reference = root_ / "reference";
    const std::string command = "cabextract -q -d '" + reference.string() + "' '" +
                                (kSamples / "mszip_lzx_qtm.cab").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* name : {"mszip.txt", "lzx.txt", "qtm.txt"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(readFile(destination_ / name), readFile(reference / name));
        EXPECT_FALSE(readFile(destination_ / name).empty());
        const std::tm modified = localModified(destination_ / name);
        EXPECT_EQ(modified.tm_year, 97);
        EXPECT_EQ(modified.tm_mon, 2);
        EXPECT_EQ(modified.tm_mday, 12);
        EXPECT_EQ(modified.tm_hour, 11);
        EXPECT_EQ(modified.tm_min, 13);
        EXPECT_EQ(modified.tm_sec, 52);
    }
}

TEST_F(CabinetExtract, DamagedSamplesFailWithoutWritingAnything) {
    int damaged = 0;
    for (const auto& entry : fs::directory_iterator(kSamples)) {
        const std::string name = entry.path().filename().string();
        const bool valid = name == "mszip_lzx_qtm.cab" || name == "hidden-files.cab" ||
                           name.starts_with("normal_") || name.starts_with("reserve_") ||
                           entry.path().extension() != ".cab";
        if (valid)
            continue;
        SCOPED_TRACE(name);
        ++damaged;
        const cabinet::ExtractResult result = extractFile(entry.path());
        EXPECT_FALSE(result);
        EXPECT_FALSE(result.error.empty());
        expectDestinationUntouched();
    }
    EXPECT_GT(damaged, 30);
    for (const fs::path& entry : treeOf(root_))
        EXPECT_TRUE(entry == "program" || entry == "program/temp") << entry;
}

TEST_F(CabinetExtract, WellFormedSamplesMatchCabextract) {
    for (const char* name : {"normal_2files_1folder.cab", "normal_2files_2folders.cab",
                             "normal_255c_filename.cab", "reserve_HFD.cab", "reserve_-F-.cab"}) {
        SCOPED_TRACE(name);
        fs::remove_all(destination_);
        fs::create_directories(destination_);
        const fs::path reference = root_ / "reference";
        fs::remove_all(reference);
        const std::string command =
            "cabextract -q -d '" + reference.string() + "' '" + (kSamples / name).string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
        const cabinet::ExtractResult result = extractFile(kSamples / name);
        ASSERT_TRUE(result) << result.error;
        for (const fs::path& file : treeOf(reference))
            EXPECT_EQ(readFile(destination_ / file), readFile(reference / file)) << file;
    }
}

TEST_F(CabinetExtract, ParentFolderPrefixIsDroppedButAClimbingNameFailsTheWholeCabinet) {
    ASSERT_TRUE(extractBytes(makeStoredCabinet({{"..\\..\\top.txt", "top"}})));
    EXPECT_EQ(readFile(destination_ / "top.txt"), "top");
    EXPECT_FALSE(fs::exists(root_ / "top.txt"));

    fs::remove(destination_ / "top.txt");
    const cabinet::ExtractResult climbing = extractBytes(
        makeStoredCabinet({{"fine.txt", "fine"}, {"sub\\..\\..\\escaped.txt", "escaped"}}));
    EXPECT_FALSE(climbing);
    EXPECT_NE(climbing.error.find("escaped.txt"), std::string::npos) << climbing.error;
    EXPECT_FALSE(fs::exists(root_ / "escaped.txt"));
    expectDestinationUntouched();

    EXPECT_FALSE(extractBytes(makeStoredCabinet({{"C:\\Windows\\evil.dll", "x"}})));
    expectDestinationUntouched();
}

TEST_F(CabinetExtract, ASymbolicLinkFolderLeadingOutsideIsRefused) {
    fs::create_directories(root_ / "outside");
    fs::create_directory_symlink(root_ / "outside", destination_ / "plugins");
    const cabinet::ExtractResult result =
        extractBytes(makeStoredCabinet({{"plugins\\evil.so", "evil"}}));
    EXPECT_FALSE(result);
    EXPECT_TRUE(fs::is_empty(root_ / "outside"));

    fs::create_directories(destination_ / "real");
    fs::remove(destination_ / "plugins");
    fs::create_directory_symlink(destination_ / "real", destination_ / "plugins");
    ASSERT_TRUE(extractBytes(makeStoredCabinet({{"plugins\\good.so", "good"}})));
    EXPECT_EQ(readFile(destination_ / "real/good.so"), "good");
}

TEST_F(CabinetExtract, AnExistingSymbolicLinkIsReplacedNeverWrittenThrough) {
    writeFile(root_ / "secret.txt", "secret");
    fs::create_symlink(root_ / "secret.txt", destination_ / "config.txt");
    ASSERT_TRUE(extractBytes(makeStoredCabinet({{"config.txt", "new"}})));
    EXPECT_EQ(readFile(root_ / "secret.txt"), "secret");
    EXPECT_FALSE(fs::is_symlink(destination_ / "config.txt"));
    EXPECT_EQ(readFile(destination_ / "config.txt"), "new");
}

TEST_F(CabinetExtract, ReadOnlyAttributeRemovesWritePermissionAndAReadOnlyTargetFails) {
    CabinetEntry locked{"locked.txt", "v1"};
    locked.attributes = 0x21;
    ASSERT_TRUE(extractBytes(makeStoredCabinet({locked, {"open.txt", "v1"}})));
    EXPECT_EQ(fs::status(destination_ / "locked.txt").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_NE(fs::status(destination_ / "open.txt").permissions() & fs::perms::owner_write,
              fs::perms::none);

    const cabinet::ExtractResult again =
        extractBytes(makeStoredCabinet({{"open.txt", "v2"}, {"locked.txt", "v2"}}));
    EXPECT_FALSE(again);
    EXPECT_NE(again.error.find("read-only"), std::string::npos) << again.error;
    EXPECT_EQ(readFile(destination_ / "locked.txt"), "v1");
    EXPECT_EQ(readFile(destination_ / "open.txt"), "v1");
}

TEST_F(CabinetExtract, ADamagedLaterFileLeavesNoEarlierFileBehind) {
    std::string bytes = makeStoredCabinet({{"first.txt", "complete"}, {"second.txt", "cut off"}});
    bytes.resize(bytes.size() - 4);
    EXPECT_FALSE(extractBytes(bytes));
    expectDestinationUntouched();
}

TEST_F(CabinetExtract, FoldersAreCreatedAndAFileInTheWayFails) {
    CabinetEntry deep{"a\\b\\c\\deep.txt", "deep"};
    deep.year = 2001;
    ASSERT_TRUE(extractBytes(makeStoredCabinet({deep})));
    EXPECT_EQ(readFile(destination_ / "a/b/c/deep.txt"), "deep");
    EXPECT_EQ(localModified(destination_ / "a/b/c/deep.txt").tm_year, 101);

    writeFile(destination_ / "x", "a file, not a folder");
    EXPECT_FALSE(extractBytes(makeStoredCabinet({{"x\\y.txt", "y"}})));
    EXPECT_EQ(readFile(destination_ / "x"), "a file, not a folder");
}

TEST_F(CabinetExtract, ANameTooLongForTheFileSystemInstallsNothing) {
    // 100 characters "中" in the ANSI code page (GBK) are 200 stored bytes, which libmspack
    // accepts, but 300 bytes in the file system's UTF-8: more than a file name may hold.
    std::string wideName;
    for (int i = 0; i < 100; ++i)
        wideName += "\xD6\xD0";
    for (const std::string& name : {"ok\\" + wideName, "ok\\" + wideName + "\\file.txt"}) {
        SCOPED_TRACE(name.size());
        const cabinet::ExtractResult result =
            extractBytes(makeStoredCabinet({{"first.txt", "1"}, {name, "long"}}));
        EXPECT_FALSE(result);
        EXPECT_NE(result.error.find("too long"), std::string::npos) << result.error;
        expectDestinationUntouched();
    }
}

TEST_F(CabinetExtract, ACabinetHoldingOnePathAsFileAndFolderInstallsNothing) {
    for (const bool fileFirst : {true, false}) {
        SCOPED_TRACE(fileFirst ? "file first" : "folder first");
        std::vector<CabinetEntry> entries{{"first.txt", "1"}, {"a", "file"}, {"a\\b.txt", "b"}};
        if (!fileFirst)
            std::swap(entries[1], entries[2]);
        const cabinet::ExtractResult result = extractBytes(makeStoredCabinet(entries));
        EXPECT_FALSE(result);
        EXPECT_NE(result.error.find("both a file and a folder"), std::string::npos) << result.error;
        expectDestinationUntouched();
    }
}

TEST_F(CabinetExtract, MissingAndForeignFilesAndCancellationFail) {
    EXPECT_NE(extractFile(root_ / "absent.cab").error.find("missing"), std::string::npos);
    writeFile(root_ / "text.cab", "just some text, not a cabinet");
    EXPECT_NE(extractFile(root_ / "text.cab").error.find("not a cabinet"), std::string::npos);

    writeFile(root_ / "package.cab", makeStoredCabinet({{"a.txt", "a"}}));
    const std::atomic<bool> cancel{true};
    EXPECT_FALSE(cabinet::extract(
        {wide(root_ / "package.cab"), wide(destination_), wide(staging_), &cancel}));
    EXPECT_FALSE(fs::exists(destination_ / "a.txt"));
}

TEST_F(CabinetExtract, FileSystemErrorsFailTheCabinetWithoutThrowingOrLeavingStaging) {
    // A symbolic link that leads to itself, where the cabinet wants a folder.
    fs::create_symlink("loop", destination_ / "loop");
    const cabinet::ExtractResult looped =
        extractBytes(makeStoredCabinet({{"fine.txt", "fine"}, {"loop\\x.txt", "x"}}));
    EXPECT_FALSE(looped);
    EXPECT_NE(looped.error.find("cannot be followed"), std::string::npos) << looped.error;
    EXPECT_FALSE(fs::exists(destination_ / "fine.txt"));
    EXPECT_TRUE(fs::is_empty(staging_));

    // A cabinet name one byte longer than a file name may be.
    const cabinet::ExtractResult tooLong = extractFile(root_ / (std::string(252, 'n') + ".cab"));
    EXPECT_FALSE(tooLong);
    EXPECT_NE(tooLong.error.find("cannot be opened"), std::string::npos) << tooLong.error;
}

TEST_F(CabinetExtract, APipeOrAFolderInTheCabinetsPlaceIsRefusedWithoutWaiting) {
    ASSERT_EQ(::mkfifo((root_ / "pipe.cab").c_str(), 0600), 0);
    const cabinet::ExtractResult pipe = extractFile(root_ / "pipe.cab");
    EXPECT_FALSE(pipe);
    EXPECT_NE(pipe.error.find("not a plain file"), std::string::npos) << pipe.error;
    fs::create_directory(root_ / "folder.cab");
    EXPECT_NE(extractFile(root_ / "folder.cab").error.find("not a plain file"), std::string::npos);
    expectDestinationUntouched();
}

} // namespace
