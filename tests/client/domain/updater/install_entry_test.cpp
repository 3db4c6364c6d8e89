#include "updater/install_entry.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

TEST(InstallEntry, ExportedUnderUndecoratedNamesAndSharedUntilReleased) {
    using GetInstallEntry = updater::Installer* (*)();
    using ReleaseInstallEntry = void (*)();
    const auto get = reinterpret_cast<GetInstallEntry>(::dlsym(RTLD_DEFAULT, "GetInstall"));
    const auto release =
        reinterpret_cast<ReleaseInstallEntry>(::dlsym(RTLD_DEFAULT, "ReleaseInstall"));
    ASSERT_NE(get, nullptr);
    ASSERT_NE(release, nullptr);

    updater::Installer* installer = get();
    ASSERT_NE(installer, nullptr);
    EXPECT_EQ(get(), installer);
    packlist::PackList pending;
    EXPECT_TRUE(installer->getPendingPacks(pending));
    release();
    release(); // nothing left to release
    updater::Installer* again = get();
    ASSERT_NE(again, nullptr);
    release();
}
