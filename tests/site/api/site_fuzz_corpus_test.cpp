// Replays the corpora of the site's fuzz targets (tools/fuzz), where `./run fuzz` keeps the
// inputs that reached new code and any input that failed.
#include "site_fuzz_checks.h"

#include "testsupport/corpus.h"

#include <gtest/gtest.h>

namespace {

template <typename Check> int replay(const std::string& corpus, Check check) {
    int files = 0;
    for (const testsupport::CorpusInput& input : testsupport::readCorpus(corpus)) {
        SCOPED_TRACE(input.name);
        EXPECT_EQ(check(input.bytes), "");
        ++files;
    }
    return files;
}

TEST(SiteFuzzCorpus, EveryRaidDocumentIsReadOrRefusedWithAReason) {
    EXPECT_GT(replay("tests/site/records/raid_document_corpus", site_fuzz::checkRaidDocument), 10);
}

TEST(SiteFuzzCorpus, EveryRequestBodyGetsAProtocolAnswer) {
    site_fuzz::SiteRequests site;
    EXPECT_GT(replay("tests/site/api/site_request_corpus",
                     [&](const std::string& bytes) { return site.check(bytes); }),
              10);
    // The corpus holds accepted uploads: the guild's list was summed over them.
    EXPECT_FALSE(site.store().standings(1).empty());
}

} // namespace
