// Replays the corpora of the site's fuzz targets (tools/fuzz), where `./run fuzz` keeps the
// inputs that reached new code and any input that failed.
#include "site_fuzz_checks.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

std::string bytesOf(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

template <typename Check> int replay(const std::string& corpus, Check check) {
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(RL_SOURCE_DIR) / corpus)) {
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(check(bytesOf(entry.path())), "");
        ++files;
    }
    return files;
}

TEST(SiteFuzzCorpus, EveryRaidDocumentIsReadOrRefusedWithAReason) {
    EXPECT_GT(replay("tests/devsite/raid_document_corpus", site_fuzz::checkRaidDocument), 10);
}

TEST(SiteFuzzCorpus, EveryRequestBodyGetsAProtocolAnswer) {
    site_fuzz::SiteRequests site;
    EXPECT_GT(replay("tests/devsite/site_request_corpus",
                     [&](const std::string& bytes) { return site.check(bytes); }),
              10);
    // The corpus holds accepted uploads: the guild's list was summed over them.
    EXPECT_FALSE(site.store().standings(1).empty());
}

} // namespace
