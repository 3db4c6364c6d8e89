#include "config/config_store.h"
#include "config/ledgerward_keys.h"

#include "compoundfile/compound_file.h"

#include "testsupport/child_process.h"
#include "testsupport/files.h"
#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

namespace {

constexpr std::u16string_view kSection = config::ledgerward::SectionName;

// Lists every element of a compound file and the hex bytes of one stream with an
// independent reader (olefile).
std::string listWithOlefile(const std::filesystem::path& file, const std::string& stream) {
    const testsupport::ProgramRun python = testsupport::runProgram(
        {"/usr/bin/python3", "-c",
         "import olefile,sys\n"
         "ole = olefile.OleFileIO(sys.argv[1])\n"
         "for entry in ole.listdir(streams=True, storages=True): print('/'.join(entry))\n"
         "if ole.exists(sys.argv[2]): print(ole.openstream(sys.argv[2]).read().hex())",
         file.string(), stream});
    return python.out + python.err;
}

// Puts raw bytes into the section's stream, as another writer might have left them.
void putStreamBytes(const std::u16string& path, const std::string& bytes) {
    std::unique_ptr<compoundfile::Storage> root;
    if (compoundfile::openFile(path, root) != compoundfile::Status::Ok) {
        ASSERT_EQ(compoundfile::createFile(path, root), compoundfile::Status::Ok);
    }
    std::unique_ptr<compoundfile::Storage> section;
    if (root->openStorage(kSection, section) != compoundfile::Status::Ok) {
        ASSERT_EQ(root->createStorage(kSection, section), compoundfile::Status::Ok);
    }
    section->destroyElement(u"config");
    std::unique_ptr<compoundfile::Stream> stream;
    ASSERT_EQ(section->createStream(u"config", stream), compoundfile::Status::Ok);
    ASSERT_EQ(stream->write(bytes.data(), bytes.size()), compoundfile::Status::Ok);
    ASSERT_EQ(root->commit(), compoundfile::Status::Ok);
}

std::string streamBytes(const std::u16string& path) {
    std::unique_ptr<compoundfile::Storage> root;
    std::unique_ptr<compoundfile::Storage> section;
    std::unique_ptr<compoundfile::Stream> stream;
    if (compoundfile::openFile(path, root) != compoundfile::Status::Ok ||
        root->openStorage(kSection, section) != compoundfile::Status::Ok ||
        section->openStream(u"config", stream) != compoundfile::Status::Ok)
        return "<missing>";
    std::string bytes(stream->size(), '\0');
    std::size_t read = 0;
    stream->read(bytes.data(), bytes.size(), read);
    return bytes;
}

packing::PropertyMap mapOf(std::initializer_list<std::pair<std::uint16_t, std::string>> entries) {
    packing::PropertyMap map;
    for (const auto& [key, value] : entries)
        map.set(key, value);
    return map;
}

// Counts the bags the store destroys.
class CountingStore : public config::ConfigStore {
public:
    using config::ConfigStore::ConfigStore;
    void destroy(config::PropertyBag* bag) override {
        if (bag != nullptr)
            ++destroyed;
        config::ConfigStore::destroy(bag);
    }
    int destroyed = 0;
};

class ConfigStoreTest : public ::testing::Test {
protected:
    testsupport::TemporaryFolder folder;
    config::ConfigStore store{folder.folder()};
    std::filesystem::path file = folder.path("config.cfg");

    packing::PropertyMap loaded(std::u16string_view section = kSection) {
        config::PropertyBag* bag = store.load(section);
        packing::PropertyMap map = bag->map();
        store.destroy(bag);
        return map;
    }
};

} // namespace

TEST_F(ConfigStoreTest, TheFirstReadCreatesAnEmptyOwnerOnlyFile) {
    ASSERT_FALSE(std::filesystem::exists(file));
    config::PropertyBag* bag = store.load(kSection);
    EXPECT_TRUE(bag->map().empty());
    EXPECT_EQ(bag->get_string(config::ledgerward::UserName, ""), "");
    std::u16string folderText = u"x";
    bag->get_wstring(config::ledgerward::WowFolder, folderText);
    EXPECT_EQ(folderText, u"");
    store.destroy(bag);

    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(listWithOlefile(file, "none"), "");
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(store.path(), folder.folder() + u"config.cfg");
}

TEST_F(ConfigStoreTest, AWrittenSectionIsReadBackByAnIndependentReader) {
    ASSERT_EQ(store.write(kSection, mapOf({{config::ledgerward::UserName, "ab"}})), 0);
    EXPECT_EQ(listWithOlefile(file, "Ledgerward/config"),
              "Ledgerward\nLedgerward/config\n01000000ea0302006162\n");
    EXPECT_EQ(loaded(), mapOf({{config::ledgerward::UserName, "ab"}}));

    // Another section beside it is kept by later writes.
    ASSERT_EQ(store.write(u"Other", mapOf({{1, "x"}})), 0);
    ASSERT_EQ(store.write(kSection, mapOf({{config::ledgerward::Password, "pw"}})), 0);
    EXPECT_EQ(loaded(u"Other"), mapOf({{1, "x"}}));
    EXPECT_EQ(loaded(), mapOf({{config::ledgerward::Password, "pw"}}));
}

TEST_F(ConfigStoreTest, AShorterCommitKeepsTheOldTailBehindTheCountedEntries) {
    ASSERT_EQ(store.write(kSection, mapOf({{1001, "http://long.example/guild"}, {1002, "name"}})),
              0);
    const std::string before = streamBytes(store.path());
    const packing::PropertyMap shorter = mapOf({{1002, "n"}});
    ASSERT_EQ(store.write(kSection, shorter), 0);
    const std::string after = streamBytes(store.path());

    ASSERT_EQ(after.size(), before.size());
    const std::string head("\x01\x00\x00\x00\xEA\x03\x01\x00n", 9);
    EXPECT_EQ(after.substr(0, 9), head);
    EXPECT_EQ(after.substr(9), before.substr(9));
    EXPECT_EQ(loaded(), shorter);
}

TEST_F(ConfigStoreTest, EmptyMalformedAndDuplicateStreamsAreReadSoundly) {
    putStreamBytes(store.path(), "");
    EXPECT_TRUE(loaded().empty());

    // Ends inside the second entry: the whole section reads as empty.
    putStreamBytes(store.path(), std::string("\x02\0\0\0\x01\0\x01\0a\x02\0\x05\0b", 14));
    EXPECT_TRUE(loaded().empty());

    putStreamBytes(store.path(), std::string("\x02\0\0\0\xEA\x03\x01\0a\xEA\x03\x01\0b", 14));
    EXPECT_EQ(loaded(), mapOf({{1002, "b"}}));

    // Longer than one read piece, with bytes after the counted entries.
    std::string big("\x01\0\0\0\x01\0\xB0\x04", 8);
    big += std::string(1200, 'v') + "trailing";
    putStreamBytes(store.path(), big);
    EXPECT_EQ(loaded(), mapOf({{1, std::string(1200, 'v')}}));
}

TEST_F(ConfigStoreTest, ASectionOrStreamMissingOnReadingIsEmptyAndNotCreated) {
    ASSERT_EQ(store.write(u"Other", mapOf({{1, "x"}})), 0);
    const std::string before = testsupport::readFile(file);
    EXPECT_TRUE(loaded().empty());
    EXPECT_EQ(testsupport::readFile(file), before);
}

TEST_F(ConfigStoreTest, AFileFromAnotherWriterIsReadAndKeptWhole) {
    // Version 4 (4096-byte sectors), as other implementations may write it; the shorter
    // new content keeps the old last byte behind it.
    const std::string command = "/usr/bin/python3 '" RL_SOURCE_DIR
                                "/tests/client/domain/config/write_cfb_v4.py' '" +
                                file.string() + "' 01000000ea0302006162";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(loaded(), mapOf({{1002, "ab"}}));

    ASSERT_EQ(store.write(kSection, mapOf({{1003, "p"}})), 0);
    EXPECT_EQ(loaded(), mapOf({{1003, "p"}}));
    EXPECT_EQ(listWithOlefile(file, "Ledgerward/config"),
              "Ledgerward\nLedgerward/config\nOther\n01000000eb0301007062\n");
}

TEST(ConfigStoreCache, AcquireCountsUsesAndTheLastReleaseDestroys) {
    testsupport::TemporaryFolder folder;
    CountingStore store(folder.folder());
    config::PropertyBag* first = store.acquire(u"Ledgerward");
    config::PropertyBag* second = store.acquire(u"Ledgerward");
    EXPECT_EQ(first, second);
    // A name is taken up to its first NUL.
    EXPECT_EQ(store.acquire(std::u16string(u"Ledgerward\0tail", 15)), first);

    first->release();
    store.release(first);
    EXPECT_EQ(store.destroyed, 0);
    second->release();
    EXPECT_EQ(store.destroyed, 1);

    // A bag from load is not in the cache: releasing it changes nothing.
    config::PropertyBag* loose = store.load(u"Ledgerward");
    store.release(loose);
    EXPECT_EQ(store.destroyed, 1);
    store.destroy(loose);
    EXPECT_EQ(store.destroyed, 2);
}

TEST(ConfigStoreCache, TheStoreDestroysTheBagsStillCached) {
    // Under the leak checker a bag left in the cache would be reported.
    testsupport::TemporaryFolder folder;
    config::ConfigStore store(folder.folder());
    store.acquire(u"Ledgerward");
    EXPECT_NE(store.acquire(u"Other"), nullptr);
}

TEST_F(ConfigStoreTest, RemoveDeletesOnlyAnUncachedSection) {
    ASSERT_EQ(store.write(kSection, mapOf({{1002, "a"}})), 0);
    ASSERT_EQ(store.write(u"Other", mapOf({{1, "x"}})), 0);

    config::PropertyBag* cached = store.acquire(kSection);
    const std::string before = testsupport::readFile(file);
    EXPECT_TRUE(store.remove(kSection));
    EXPECT_EQ(testsupport::readFile(file), before);
    cached->release();

    EXPECT_FALSE(store.remove(kSection));
    EXPECT_TRUE(loaded().empty());
    EXPECT_EQ(loaded(u"Other"), mapOf({{1, "x"}}));
    EXPECT_EQ(listWithOlefile(file, "none"), "Other\nOther/config\n");
}
