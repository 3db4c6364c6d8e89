// dkpsite against requests meant to break it: each must be refused or survived, and the site
// must go on answering everyone else.
#include "site_process.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <nlohmann/json.hpp>

namespace devsite {
namespace {

using devsite_testing::SiteProcess;
using nlohmann::json;

const std::string kDemoDigest = "2a97516c354b68848cdbd8f54a226a0a55b21ed138e207ad6c5cbb9c00aa5aea";

bool logsIn(const SiteProcess& site) {
    httplib::Client client("127.0.0.1", site.port());
    auto answer = client.Post("/api/login", json{{"user", "demo"}, {"digest", kDemoDigest}}.dump(),
                              "application/json");
    return answer && answer->status == 200;
}

TEST(SiteHostile, DeeplyNestedJsonIsRefusedAndTheSiteLivesOn) {
    SiteProcess site;
    httplib::Client client("127.0.0.1", site.port());
    const std::string deep = "{\"user\": " + std::string(100000, '[') + std::string(100000, ']') +
                             ", \"digest\": \"x\"}";
    for (const char* path : {"/api/login", "/api/events"}) {
        auto answer = client.Post(path, deep, "application/json");
        ASSERT_TRUE(answer) << path;
        EXPECT_EQ(answer->status, 400) << path;
    }
    EXPECT_TRUE(logsIn(site));
}

} // namespace
} // namespace devsite
