#include "fetchkit/update_downloader.h"

#include "cabinet_builder.h"
#include "testsupport/site_process.h"
#include "testsupport/temporary_folder.h"
#include "updater/pack_list_file.h"
#include "updater/pack_lists.h"
#include "updater/package_installer.h"
#include "utilkit/encrypt.h"
#include "utilkit/ufile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using updater::Pack;
using updater::PackList;

namespace {

// The reference site serving an update folder under /update/, as in the demo.
class DownloadFromDkpsite : public ::testing::Test {
protected:
    Pack publish(const std::string& name, int ver, const std::string& contents) {
        const std::string cab = cabinet_test::makeStoredCabinet({{name + ".txt", contents}});
        std::ofstream(updates_ / (name + ".cab"), std::ios::binary) << cab;
        return Pack{ufile::fromNativePath(name), ufile::fromNativePath(name + ".cab"),
                    encrypt::MD5(cab), ver, 1};
    }
    void publishManifest(const PackList& packs) {
        std::ofstream(updates_ / "list.xml", std::ios::binary) << updater::formatPackList(packs);
    }
    updater::UpdateFolder folder() const {
        return updater::UpdateFolder(ufile::fromNativePath(program_.native()));
    }
    void download() {
        testsupport::SiteProcess site({"--updates", updates_.string()});
        fetchkit::UpdateDownloader downloader(
            {ufile::fromNativePath(program_.native()), site.url() + "/update/list.xml"});
        downloader.fetchUpdates();
        downloader.waitUntilDone();
    }

    const testsupport::TemporaryFolder updatesFolder_;
    const testsupport::TemporaryFolder programFolder_;
    const fs::path updates_ = updatesFolder_.path();
    const fs::path program_ = programFolder_.path();
};

TEST_F(DownloadFromDkpsite, TwoPackagesArriveCompleteAndInstall) {
    const PackList packs{publish("core", 4, "core v4"), publish("skin", 2, "skin v2")};
    publishManifest(packs);
    download();
    EXPECT_TRUE(fs::exists(program_ / "temp/core.cab"));
    EXPECT_TRUE(fs::exists(program_ / "temp/skin.cab"));
    EXPECT_TRUE(updater::isDownloadComplete(folder()));

    auto* installer = new updater::PackageInstaller({folder().programFolder()});
    installer->start(1);
    installer->waitForRun();
    installer->release();
    std::ifstream installed(program_ / "skin.txt");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(installed), {}), "skin v2");
    PackList local;
    ASSERT_TRUE(updater::readPackList(folder().localVersions(), local));
    EXPECT_EQ(local.size(), 2u);
}

TEST_F(DownloadFromDkpsite, ACorruptedPackageIsNotMarkedComplete) {
    const PackList packs{publish("core", 4, "core v4"), publish("skin", 2, "skin v2")};
    publishManifest(packs);
    std::ofstream(updates_ / "skin.cab", std::ios::binary | std::ios::app) << "tampered";
    download();
    EXPECT_TRUE(fs::exists(program_ / "temp/dlstate.xml"));
    EXPECT_FALSE(updater::isDownloadComplete(folder()));
    EXPECT_FALSE(fs::exists(program_ / "temp/skin.cab"));
}

} // namespace
