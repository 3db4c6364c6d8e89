#include "address.h"

#include <gtest/gtest.h>

using fetchkit::packageAddress;

TEST(PackageAddress, RelativeAddressesAreTakenFromTheManifest) {
    const std::string manifest = "http://127.0.0.1:8080/update/list.xml?v=2";
    EXPECT_EQ(packageAddress(manifest, "https://cdn.test/a.cab", "a"), "https://cdn.test/a.cab");
    EXPECT_EQ(packageAddress(manifest, "/files/a.cab", "a"), "http://127.0.0.1:8080/files/a.cab");
    EXPECT_EQ(packageAddress(manifest, "packs/a.cab", "a"),
              "http://127.0.0.1:8080/update/packs/a.cab");
    EXPECT_EQ(packageAddress(manifest, "", "core pack"),
              "http://127.0.0.1:8080/update/core%20pack.cab");
    EXPECT_EQ(packageAddress("http://host", "", "a"), "http://host/a.cab");
}
