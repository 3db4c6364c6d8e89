#include "fetchkit/update_downloader.h"

#include "packlist/pack_list_file.h"
#include "packlist/pack_lists.h"
#include "testsupport/cabinet_builder.h"
#include "testsupport/site_process.h"
#include "testsupport/temporary_folder.h"
#include "updater/package_installer.h"
#include "utilkit/encrypt.h"
#include "utilkit/ufile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using packlist::Pack;
using packlist::PackList;

namespace {

// The reference site serving an update folder under /update/, as in the demo.
class DownloadFromDkpsite : public ::testing::Test {
protected:
    packlist::Pack publish(const std::string& name, int ver, const std::string& contents) {
        const std::string cab = cabinet_test::makeStoredCabinet({{name + ".txt", contents}});
        std::ofstream(updates_ / (name + ".cab"), std::ios::binary) << cab;
        return packlist::Pack{ufile::fromNativePath(name), ufile::fromNativePath(name + ".cab"),
                              encrypt::MD5(cab), ver, 1};
    }
    void publishManifest(const packlist::PackList& packs) {
        std::ofstream(updates_ / "list.xml", std::ios::binary) << packlist::formatPackList(packs);
    }
    packlist::UpdateFolder folder() const {
        return packlist::UpdateFolder(ufile::fromNativePath(program_.native()));
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
    const packlist::PackList packs{publish("core", 4, "core v4"), publish("skin", 2, "skin v2")};
    publishManifest(packs);
    download();
    EXPECT_TRUE(fs::exists(program_ / "temp/core.cab"));
    EXPECT_TRUE(fs::exists(program_ / "temp/skin.cab"));
    EXPECT_TRUE(packlist::isDownloadComplete(folder()));

    auto* installer = new updater::PackageInstaller({folder().programFolder()});
    installer->start(1);
    installer->waitForRun();
    installer->release();
    std::ifstream installed(program_ / "skin.txt");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(installed), {}), "skin v2");
    packlist::PackList local;
    ASSERT_TRUE(packlist::readPackList(folder().localVersions(), local));
    EXPECT_EQ(local.size(), 2u);
}

TEST_F(DownloadFromDkpsite, ACorruptedPackageIsNotMarkedComplete) {
    const packlist::PackList packs{publish("core", 4, "core v4"), publish("skin", 2, "skin v2")};
    publishManifest(packs);
    std::ofstream(updates_ / "skin.cab", std::ios::binary | std::ios::app) << "tampered";
    download();
    EXPECT_TRUE(fs::exists(program_ / "temp/dlstate.xml"));
    EXPECT_FALSE(packlist::isDownloadComplete(folder()));
    EXPECT_FALSE(fs::exists(program_ / "temp/skin.cab"));
}

} // namespace
