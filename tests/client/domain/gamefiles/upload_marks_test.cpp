#include "gamefiles/upload_marks.h"

#include "testsupport/fault_injection.h"
#include "testsupport/temporary_folder.h"
#include "utilkit/ufile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using gamefiles::UploadMark;
using gamefiles::UploadMarks;

const std::string kDigestA(64, 'a');
const std::string kDigestB = std::string(63, 'b') + "0";

UploadMark mark(std::u16string account, std::int64_t start, std::string digest, int eventId,
                std::u16string site = u"http://dkp.test", std::int64_t at = 1700000000) {
    return {std::move(account), start, std::move(digest), eventId, std::move(site), at};
}

class UploadMarksFile : public testing::Test {
protected:
    // Every file in the folder but the marks file, by name.
    std::vector<std::string> others() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(tree.path("")))
            if (entry.path().filename() != "uploads.json")
                names.push_back(entry.path().filename().string());
        return names;
    }

    testsupport::TemporaryFolder tree;
    UploadMarks store{tree.folder()};
};

TEST_F(UploadMarksFile, MarksAreKeptAcrossStoresAndFoundByAccountRaidSiteAndDocument) {
    EXPECT_EQ(store.load(), u"") << "no file yet: no marks and nothing to say";
    EXPECT_TRUE(store.marks().empty());
    const UploadMark first = mark(u"ACCOUNT \"引号\"\n第二行", 1201262593, kDigestA, 41);
    const UploadMark again =
        mark(u"OTHER", 1201348800, kDigestA, 42, u"http://dkp.test", 1700009999);
    const UploadMark elsewhere = mark(u"OTHER", 1201348800, kDigestB, 7, u"http://elsewhere.test");
    EXPECT_EQ(store.record(first), u"");
    EXPECT_EQ(store.record(again), u"");
    EXPECT_EQ(store.record(elsewhere), u"");

    UploadMarks later(tree.folder());
    EXPECT_EQ(later.load(), u"");
    EXPECT_EQ(later.marks(), (std::vector<UploadMark>{first, again, elsewhere}));
    ASSERT_NE(later.findRaid(first.account, 1201262593, u"http://dkp.test"), nullptr);
    EXPECT_EQ(later.findRaid(first.account, 1201262593, u"http://dkp.test")->eventId, 41);
    EXPECT_EQ(later.findRaid(first.account, 1201262594, u"http://dkp.test"), nullptr);
    EXPECT_EQ(later.findRaid(u"ACCOUNT", 1201262593, u"http://dkp.test"), nullptr);
    EXPECT_EQ(later.findRaid(first.account, 1201262593, u"http://elsewhere.test"), nullptr);

    ASSERT_NE(later.findDocument(kDigestA, u"http://dkp.test"), nullptr);
    EXPECT_EQ(later.findDocument(kDigestA, u"http://dkp.test")->eventId, 42) << "the latest";
    EXPECT_EQ(later.findDocument(kDigestA, u"http://elsewhere.test"), nullptr);
    EXPECT_EQ(later.findDocument(kDigestB, u"http://dkp.test"), nullptr);
    EXPECT_TRUE(others().empty()) << "nothing is left beside the file";
}

TEST_F(UploadMarksFile, AMarkOfAnotherClientWrittenMeanwhileIsKept) {
    UploadMarks other(tree.folder());
    EXPECT_EQ(store.load(), u"");
    EXPECT_EQ(other.record(mark(u"A", 1, kDigestA, 1)), u"");
    EXPECT_EQ(store.record(mark(u"B", 2, kDigestB, 2)), u"");
    EXPECT_EQ(store.marks(),
              (std::vector<UploadMark>{mark(u"A", 1, kDigestA, 1), mark(u"B", 2, kDigestB, 2)}));
}

TEST_F(UploadMarksFile, ADamagedFileIsSetAsideWholeAndReported) {
    const std::string sound = [&] {
        EXPECT_EQ(store.record(mark(u"A", 1, kDigestA, 1)), u"");
        return tree.read("uploads.json");
    }();
    const std::vector<std::pair<std::string, std::string>> damages = {
        {"empty", ""},
        {"cut short", sound.substr(0, sound.size() / 2)},
        {"not JSON", "\x01\x02garbage\xff"},
        {"an array", "[]"},
        {"another format", R"({"format": 2, "uploads": []})"},
        {"a field missing", R"({"format":1,"uploads":[{"account":"A","raidStart":1}]})"},
        {"not a digest",
         R"({"format":1,"uploads":[{"account":"A","raidStart":1,"documentSha256":"zz",)"
         R"("eventId":1,"site":"s","uploadedAt":1}]})"},
        {"event id out of range",
         R"({"format":1,"uploads":[{"account":"A","raidStart":1,"documentSha256":")" + kDigestA +
             R"(","eventId":4294967296,"site":"s","uploadedAt":1}]})"},
        {"not UTF-8", "{\"format\":1,\"uploads\":[],\"x\":\"\xC3\x28\"}"},
        // A JSON reader keeps one of two equal keys: the marks of the other would be lost.
        {"the uploads twice", sound.substr(0, sound.size() - 2) + ",\"uploads\":[]}"},
        {"a field of a mark twice",
         R"({"format":1,"uploads":[{"account":"A","raidStart":1,"documentSha256":")" + kDigestA +
             R"(","eventId":1,"site":"s","uploadedAt":1,"eventId":2}]})"},
        {"a field no mark has",
         R"({"format":1,"uploads":[{"account":"A","raidStart":1,"documentSha256":")" + kDigestA +
             R"(","eventId":1,"site":"s","uploadedAt":1,"note":""}]})"},
        {"a field no file has", R"({"format":1,"uploads":[],"next":[]})"},
    };
    for (const auto& [what, bytes] : damages) {
        SCOPED_TRACE(what);
        fs::remove_all(tree.path(""));
        tree.write("uploads.json", bytes);
        const std::u16string told = store.load();
        EXPECT_NE(told.find(u"已损坏"), std::u16string::npos);
        EXPECT_NE(told.find(store.path()), std::u16string::npos);
        EXPECT_TRUE(store.marks().empty());
        EXPECT_FALSE(tree.exists("uploads.json"));
        const std::vector<std::string> aside = others();
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_EQ(aside[0].rfind("uploads.json.damaged-", 0), 0u) << aside[0];
        EXPECT_NE(told.find(ufile::fromNativePath(aside[0])), std::u16string::npos);
        EXPECT_EQ(tree.read(aside[0]), bytes);
    }
    // The next mark starts a new file; the damaged one stays aside.
    EXPECT_EQ(store.record(mark(u"B", 2, kDigestB, 2)), u"");
    EXPECT_EQ(store.marks(), std::vector<UploadMark>{mark(u"B", 2, kDigestB, 2)});
    EXPECT_EQ(others().size(), 1u);
}

TEST_F(UploadMarksFile, AFileDamagedBeforeAMarkIsSetAsideTooAndTheMarkRecorded) {
    tree.write("uploads.json", "{\"format\":1,");
    UploadMarks second(tree.folder());
    const std::u16string told = store.record(mark(u"A", 1, kDigestA, 1));
    EXPECT_NE(told.find(u"已损坏"), std::u16string::npos);
    EXPECT_EQ(told.find(u"没有记下"), std::u16string::npos);
    EXPECT_EQ(second.load(), u"");
    EXPECT_EQ(second.marks(), std::vector<UploadMark>{mark(u"A", 1, kDigestA, 1)});
    ASSERT_EQ(others().size(), 1u);
    EXPECT_EQ(tree.read(others()[0]), "{\"format\":1,");
    // A second damaged file in the same second gets a name of its own.
    tree.write("uploads.json", "damaged again");
    EXPECT_NE(store.load().find(u"已损坏"), std::u16string::npos);
    EXPECT_EQ(others().size(), 2u);
}

// The writer dies of the file size limit while writing the new file: the kernel ends it in the
// middle of the write, as a crash or a power cut would.
TEST_F(UploadMarksFile, AWriterKilledMidWriteLeavesTheOldRecord) {
    ASSERT_EQ(store.record(mark(u"A", 1, kDigestA, 1)), u"");
    const std::string before = tree.read("uploads.json");
    const int status = testsupport::inChild([&] {
        if (!testsupport::dieOnFileSize(4096))
            return 2;
        UploadMarks writer(tree.folder());
        writer.record(mark(std::u16string(9000, u'w'), 2, kDigestB, 2));
        return 0; // not reached: the write beyond the limit ends the process
    });
    ASSERT_NE(status, -1);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    // What it had written of the new file lies beside, cut off at the limit.
    const std::vector<std::string> left = others();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(fs::file_size(tree.path(left[0])), 4096u);

    EXPECT_EQ(tree.read("uploads.json"), before);
    EXPECT_EQ(store.load(), u"");
    EXPECT_EQ(store.marks(), std::vector<UploadMark>{mark(u"A", 1, kDigestA, 1)});
    EXPECT_EQ(store.record(mark(u"C", 3, kDigestB, 3)), u"");
    EXPECT_EQ(store.marks().size(), 2u);
    EXPECT_TRUE(others().empty()) << "the next mark clears the leftover away";
}

TEST_F(UploadMarksFile, ALinkToAMissingFileIsReportedAndLeftAsItIs) {
    fs::create_symlink("elsewhere/uploads.json", tree.path("uploads.json"));
    for (const std::u16string& told : {store.load(), store.record(mark(u"A", 1, kDigestA, 1))}) {
        EXPECT_NE(told.find(u"指向的文件不存在"), std::u16string::npos);
        EXPECT_NE(told.find(store.path()), std::u16string::npos);
    }
    EXPECT_TRUE(store.marks().empty());
    EXPECT_EQ(fs::read_symlink(tree.path("uploads.json")), "elsewhere/uploads.json");
    EXPECT_TRUE(others().empty());
}

// Only new copies of the marks file whose writing process has died are its own leftovers.
TEST_F(UploadMarksFile, OnlyTheLeftoversOfDeadWritersAreRemoved) {
    const pid_t dead = ::fork();
    ASSERT_GE(dead, 0);
    if (dead == 0)
        ::_exit(0);
    ASSERT_EQ(::waitpid(dead, nullptr, 0), dead);
    const std::string leftover = "uploads.json.tmp" + std::to_string(dead) + "-17";
    const std::vector<std::string> kept = {
        "uploads.json.tmp", "uploads.json.tmp-mine", "uploads.json.tmp.bak",
        "uploads.json.tmp" + std::to_string(::getpid()) + "-5", // a writer still at work
        "uploads.json.tmp" + std::to_string(dead) + "-17-edited"};
    for (const std::string& name : kept)
        tree.write(name, "someone's");
    tree.write(leftover, "half written");
    EXPECT_EQ(store.record(mark(u"A", 1, kDigestA, 1)), u"");
    EXPECT_EQ(store.record(mark(u"B", 2, kDigestB, 2)), u"");
    EXPECT_FALSE(tree.exists(leftover));
    for (const std::string& name : kept)
        EXPECT_EQ(tree.read(name), "someone's") << name;
}

TEST_F(UploadMarksFile, AFileHeldByAnotherProgramIsReportedAndLeftAlone) {
    ASSERT_EQ(store.record(mark(u"A", 1, kDigestA, 1)), u"");
    const std::string before = tree.read("uploads.json");
    const int fd = ::open(tree.path("uploads.json").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    // A lock of another open file description blocks the store as another process's would.
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    EXPECT_NE(store.load().find(u"正被另一个程序使用"), std::u16string::npos);
    EXPECT_TRUE(store.marks().empty());
    const std::u16string told = store.record(mark(u"B", 2, kDigestB, 2));
    EXPECT_NE(told.find(u"本次上传没有记下"), std::u16string::npos);
    EXPECT_EQ(tree.read("uploads.json"), before);
    ::close(fd);
    EXPECT_EQ(store.load(), u"");
    EXPECT_EQ(store.marks().size(), 1u);
}

} // namespace
