#include "config/config_store.h"
#include "config/ledgerward_keys.h"

#include "cfb_damage.h"
#include "testsupport/fault_injection.h"
#include "testsupport/files.h"
#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr std::u16string_view kSection = config::ledgerward::SectionName;

packing::PropertyMap sampleMap() {
    packing::PropertyMap map;
    map.set(config::ledgerward::UserName, "raider");
    map.set(config::ledgerward::GuildUrl, "http://guild.example/");
    return map;
}

class ConfigStoreDamage : public ::testing::Test {
protected:
    testsupport::TemporaryFolder folder;
    config::ConfigStore store{folder.folder()};
    std::filesystem::path file = folder.path("config.cfg");

    // A sound file written by the store, for the cases to damage.
    std::string soundFile() {
        EXPECT_EQ(store.write(kSection, sampleMap()), 0);
        return testsupport::readFile(file);
    }

    // Neither reading, writing nor removing uses or replaces the file.
    void expectUnusableAndUntouched(const std::string& bytes, const std::string& what) {
        SCOPED_TRACE(what);
        testsupport::writeFile(file, bytes);
        config::PropertyBag* bag = store.load(kSection);
        EXPECT_TRUE(bag->map().empty());
        store.destroy(bag);
        EXPECT_EQ(store.write(kSection, sampleMap()), -1);
        EXPECT_FALSE(store.remove(kSection));
        EXPECT_EQ(testsupport::readFile(file), bytes);
    }
};

} // namespace

TEST_F(ConfigStoreDamage, FilesThatAreNotCompoundFilesAreNeverReplaced) {
    expectUnusableAndUntouched("", "empty file");
    expectUnusableAndUntouched("[Ledgerward]\nUserName=raider\n", "text file");
    for (unsigned seed = 1; seed <= 20; ++seed)
        expectUnusableAndUntouched(CfbDamage::randomBytes(512 * seed, seed), "random bytes");

    // Random bytes behind a correct signature.
    std::string signed_ = CfbDamage::randomBytes(4096, 99);
    signed_.replace(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
    expectUnusableAndUntouched(signed_, "signature and random bytes");
}

TEST_F(ConfigStoreDamage, DamagedCompoundFilesReadAsEmptyAndStayAsTheyWere) {
    const std::string sound = soundFile();
    CfbDamage probe(sound);
    const std::uint32_t streamId = probe.entryId("config");
    const std::uint32_t storageId = probe.entryId("Ledgerward");
    ASSERT_NE(streamId, 0xFFFFFFFFu);
    ASSERT_NE(storageId, 0xFFFFFFFFu);

    expectUnusableAndUntouched(sound.substr(0, 300), "truncated header");
    expectUnusableAndUntouched(sound.substr(0, sound.size() - 100), "truncated last sector");

    CfbDamage fatLoop(sound);
    fatLoop.setU32(fatLoop.fatEntryOffset(fatLoop.directorySector()), fatLoop.directorySector());
    expectUnusableAndUntouched(fatLoop.bytes(), "loop in the allocation table");

    CfbDamage directoryLoop(sound);
    directoryLoop.setU32(directoryLoop.entryOffset(streamId) + 68, storageId);
    expectUnusableAndUntouched(directoryLoop.bytes(), "loop in the directory");

    CfbDamage selfChild(sound);
    selfChild.setU32(selfChild.entryOffset(storageId) + 76, storageId);
    expectUnusableAndUntouched(selfChild.bytes(), "storage that holds itself");

    // The library would read a sibling of the root as a second root and lose it: the leak
    // checker of the sanitised tests catches that.
    for (const std::uint32_t side : {68u, 72u}) {
        CfbDamage rootSibling(sound);
        rootSibling.setU32(rootSibling.entryOffset(0) + side, storageId);
        expectUnusableAndUntouched(rootSibling.bytes(), "root with a sibling");
    }

    CfbDamage sectorSize(sound);
    sectorSize.setU16(30, 10);
    expectUnusableAndUntouched(sectorSize.bytes(), "bad sector size");

    CfbDamage hugeStream(sound);
    hugeStream.setU32(hugeStream.entryOffset(streamId) + 120, 0x7FFFFFFF);
    expectUnusableAndUntouched(hugeStream.bytes(), "stream longer than the file");

    CfbDamage longChain(sound);
    longChain.setU32(longChain.entryOffset(streamId) + 120, 6000);
    expectUnusableAndUntouched(longChain.bytes(), "stream longer than its chain");

    CfbDamage miniFatCount(sound);
    miniFatCount.setU32(64, 0x7FFFFFFF);
    expectUnusableAndUntouched(miniFatCount.bytes(), "mini allocation table count");

    CfbDamage difatCount(sound);
    difatCount.setU32(72, 0xFFFFFFFF);
    expectUnusableAndUntouched(difatCount.bytes(), "allocation table index count");

    CfbDamage fatCount(sound);
    fatCount.setU32(44, 0x40000000);
    expectUnusableAndUntouched(fatCount.bytes(), "allocation table larger than the file");

    // The sound file itself is still usable afterwards.
    testsupport::writeFile(file, sound);
    config::PropertyBag* bag = store.load(kSection);
    EXPECT_EQ(bag->map(), sampleMap());
    store.destroy(bag);
}

TEST_F(ConfigStoreDamage, ASecondProcessHoldingTheFileMakesEveryAccessFail) {
    const std::string sound = soundFile();
    int ready[2];
    int done[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(done), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int fd = ::open(file.c_str(), O_RDWR);
        const char ok = (fd >= 0 && ::flock(fd, LOCK_EX) == 0) ? 'y' : 'n';
        (void)!::write(ready[1], &ok, 1);
        char ignored;
        (void)!::read(done[0], &ignored, 1);
        ::_exit(0);
    }
    char ok = 'n';
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, 'y');

    config::PropertyBag* bag = store.load(kSection);
    EXPECT_TRUE(bag->map().empty());
    store.destroy(bag);
    packing::PropertyMap other;
    other.set(1, "changed");
    EXPECT_EQ(store.write(kSection, other), -1);
    EXPECT_FALSE(store.remove(kSection));
    EXPECT_EQ(testsupport::readFile(file), sound);

    (void)!::write(done[1], "x", 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    for (int fd : {ready[0], ready[1], done[0], done[1]})
        ::close(fd);

    // Once the other process is gone, the file is ours again.
    bag = store.load(kSection);
    EXPECT_EQ(bag->map(), sampleMap());
    store.destroy(bag);
}

TEST_F(ConfigStoreDamage, AFolderWhereTheFileShouldBeIsLeftAlone) {
    std::filesystem::create_directory(file);
    config::PropertyBag* bag = store.load(kSection);
    EXPECT_TRUE(bag->map().empty());
    store.destroy(bag);
    EXPECT_EQ(store.write(kSection, sampleMap()), -1);
    EXPECT_TRUE(std::filesystem::is_directory(file));
}

TEST_F(ConfigStoreDamage, AWriteThatRunsOutOfSpaceLeavesTheOldFile) {
    const std::string sound = soundFile();
    const int status = testsupport::inChild([&] {
        // Files may not grow beyond 4 KiB: the new file cannot be written in full.
        if (!testsupport::limitFileSize(4096))
            return 2;
        packing::PropertyMap big = sampleMap();
        big.set(config::ledgerward::WowFolder, std::string(9000, 'w'));
        return store.write(kSection, big) == -1 ? 0 : 1;
    });
    EXPECT_EQ(testsupport::exitCodeOf(status), 0);
    EXPECT_EQ(testsupport::readFile(file), sound);
    // Nothing is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(ConfigStoreDamage, AValueTooLongToPackFailsTheWriteAndChangesNothing) {
    const std::string sound = soundFile();
    packing::PropertyMap tooLong = sampleMap();
    tooLong.set(config::ledgerward::GuildUrl, std::string(65536, 'u'));
    EXPECT_EQ(store.write(kSection, tooLong), -1);
    EXPECT_EQ(store.write(u"NewSection", tooLong), -1);
    EXPECT_EQ(testsupport::readFile(file), sound);
    // The file is free again for the next access.
    EXPECT_EQ(store.write(kSection, sampleMap()), 0);
}
