#pragma once

#include "store/site_store.h"
#include "test_databases.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace dkpsite_testing {

// The password rounds of the stores the tests make: enough to be a verifier, quick to check.
inline constexpr int kQuickIterations = 1000;

// A store test on each engine, starting from one guild ("Guild" at /guild_dkp, created at
// 1000 ms) with one DKP system ("Main") and one admin, "leader" (password digest "digest"),
// whose session (logged in at 2000 ms) is token_.
class SeededGuildTest : public ::testing::TestWithParam<dkpsite::Engine> {
protected:
    void SetUp() override;

    // The sample raid (sample_raid.h) as an upload of the guild to `system`; `extra` is added
    // to its document's bytes, so that it is another upload of the same raid.
    dkpsite::NewEvent sampleEvent(std::int64_t system, const std::string& extra = "") const;

    TestDatabase database_{GetParam()};
    std::unique_ptr<dkpsite::SiteStore> store_;
    std::int64_t user_ = 0, guild_ = 0, system_ = 0;
    std::string token_;
};

} // namespace dkpsite_testing
