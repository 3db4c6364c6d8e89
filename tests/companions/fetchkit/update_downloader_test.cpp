#include "fetchkit/update_downloader.h"

#include "packlist/pack_list_file.h"
#include "packlist/pack_lists.h"
#include "testsupport/cabinet_builder.h"
#include "testsupport/temporary_folder.h"
#include "updater/package_installer.h"
#include "utilkit/encrypt.h"
#include "utilkit/ufile.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <httplib.h>
#include <map>
#include <mutex>
#include <thread>

namespace fs = std::filesystem;
using packlist::Pack;
using packlist::PackList;

namespace {

// Serves update files from memory on a loopback port and counts the requests.
class UpdateServer {
public:
    UpdateServer() {
        server_.Get(R"(/update/(.+))",
                    [this](const httplib::Request& request, httplib::Response& response) {
                        std::lock_guard lock(mutex_);
                        ++requests_;
                        const auto found = files_.find(request.matches[1]);
                        if (found == files_.end()) {
                            response.status = 404;
                            return;
                        }
                        response.set_content(found->second, "application/octet-stream");
                    });
        port_ = server_.bind_to_any_port("127.0.0.1");
        // Bound and listening already: requests wait in the queue until the loop runs.
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        // stop() is a no-op until the loop runs, so a server stopped too early would never end.
        for (int i = 0; i < 10000 && port_ > 0 && !server_.is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~UpdateServer() {
        server_.stop();
        thread_.join();
    }

    void serve(const std::string& name, const std::string& bytes) {
        std::lock_guard lock(mutex_);
        files_[name] = bytes;
    }
    int requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }
    std::string url(const std::string& name) const {
        return "http://127.0.0.1:" + std::to_string(port_) + "/update/" + name;
    }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::map<std::string, std::string> files_;
    int requests_ = 0;
};

class Downloader : public ::testing::Test {
protected:
    std::u16string programFolder() const { return program_.folder(); }
    packlist::UpdateFolder folder() const { return packlist::UpdateFolder(programFolder()); }

    // Serves a cabinet holding one file and returns its manifest record.
    packlist::Pack publish(const std::u16string& name, int ver, const std::string& contents) {
        const std::string cab = cabinet_test::makeStoredCabinet({{"file.txt", contents}});
        const std::string file = ufile::toNativePath(name) + ".cab";
        server.serve(file, cab);
        return packlist::Pack{name, ufile::fromNativePath(file), encrypt::MD5(cab), ver, 1};
    }
    void publishManifest(const packlist::PackList& packs) {
        server.serve("list.xml", packlist::formatPackList(packs));
    }
    void download(const std::string& url) {
        fetchkit::UpdateDownloader downloader({programFolder(), url});
        downloader.fetchUpdates();
        downloader.waitUntilDone();
        EXPECT_FALSE(downloader.isBusy());
    }
    std::string read(const std::string& relative) const { return program_.read(relative); }
    bool exists(const std::string& relative) const { return program_.exists(relative); }

    UpdateServer server;
    const testsupport::TemporaryFolder program_{"fetchkit-test"};
    const fs::path root_ = program_.path();
};

TEST_F(Downloader, TwoPackagesEndInTempVerifiedAndInstallable) {
    const packlist::PackList packs{publish(u"core", 2, "core v2"), publish(u"skin", 1, "skin v1")};
    publishManifest(packs);
    download(server.url("list.xml"));

    EXPECT_TRUE(packlist::isDownloadComplete(folder()));
    EXPECT_EQ(packlist::pendingPacks(folder()), packs);
    EXPECT_EQ(encrypt::MD5(read("temp/core.cab")), packs[0].md5);
    EXPECT_EQ(encrypt::MD5(read("temp/skin.cab")), packs[1].md5);
    EXPECT_NE(read("temp/log.txt").find("The download is complete."), std::string::npos);

    auto* installer = new updater::PackageInstaller({programFolder()});
    installer->start(1);
    installer->waitForRun();
    installer->release();
    EXPECT_EQ(read("file.txt"), "skin v1");
    EXPECT_FALSE(exists("temp/dlstate.xml"));

    const int before = server.requests();
    download(server.url("list.xml"));
    EXPECT_EQ(server.requests(), before + 1); // the list only: everything is installed
    EXPECT_FALSE(exists("temp/dlstate.xml"));
}

TEST_F(Downloader, ACorruptedPackageIsNotKeptAndTheDownloadNotComplete) {
    packlist::PackList packs{publish(u"core", 2, "core v2"), publish(u"skin", 1, "skin v1")};
    packs[1].md5 = encrypt::MD5("something else");
    publishManifest(packs);
    download(server.url("list.xml"));

    EXPECT_FALSE(packlist::isDownloadComplete(folder()));
    EXPECT_TRUE(exists("temp/dlstate.xml"));
    EXPECT_TRUE(exists("temp/core.cab"));
    EXPECT_FALSE(exists("temp/skin.cab"));
    EXPECT_NE(read("temp/log.txt").find("does not match its md5"), std::string::npos);

    // Fixed on the server, the next download fetches only what is missing.
    publishManifest({packs[0], publish(u"skin", 1, "skin v1")});
    const int before = server.requests();
    download(server.url("list.xml"));
    EXPECT_TRUE(packlist::isDownloadComplete(folder()));
    EXPECT_EQ(server.requests(), before + 2);
}

TEST_F(Downloader, WithoutAnAddressNothingHappens) {
    publishManifest({publish(u"core", 2, "core v2")});
    download("");
    EXPECT_EQ(server.requests(), 0);
    EXPECT_FALSE(exists("temp"));
}

TEST_F(Downloader, InstalledVersionsAreNotFetchedAgain) {
    const packlist::PackList packs{publish(u"core", 2, "core v2"), publish(u"skin", 1, "skin v1")};
    publishManifest(packs);
    packlist::writePackList(folder().localVersions(), {{u"core", u"", "", 2, 1}});
    download(server.url("list.xml"));
    EXPECT_TRUE(packlist::isDownloadComplete(folder()));
    EXPECT_FALSE(exists("temp/core.cab"));
    EXPECT_EQ(packlist::pendingPacks(folder()), packlist::PackList{packs[1]});
}

TEST_F(Downloader, ACompleteDownloadAwaitingInstallationIsLeftAloneWhileItsCabinetsAreThere) {
    const packlist::PackList packs{publish(u"core", 2, "core v2")};
    publishManifest(packs);
    fs::create_directories(root_ / "temp");
    packlist::writePackList(folder().downloadState(), {{u"old", u"", "", 1, 1}}, std::string("ok"));
    std::ofstream(root_ / "temp/old.cab") << "cabinet";
    download(server.url("list.xml"));
    EXPECT_EQ(server.requests(), 0);
    EXPECT_EQ(packlist::pendingPacks(folder()), (packlist::PackList{{u"old", u"", "", 1, 1}}));

    fs::remove(root_ / "temp/old.cab"); // it could never be installed now
    download(server.url("list.xml"));
    EXPECT_TRUE(packlist::isDownloadComplete(folder()));
    EXPECT_EQ(packlist::pendingPacks(folder()), packs);
}

TEST_F(Downloader, APackageListedTwiceIsFetchedOnceInItsLastVersion) {
    const packlist::Pack first = publish(u"core", 2, "core v2");
    const packlist::Pack second = publish(u"core", 3, "core v3");
    publishManifest({first, publish(u"skin", 1, "skin"), second});
    download(server.url("list.xml"));
    EXPECT_TRUE(packlist::isDownloadComplete(folder()));
    EXPECT_EQ(packlist::pendingPacks(folder()).size(), 2u);
    EXPECT_EQ(packlist::pendingPacks(folder()).back(), second);
    EXPECT_EQ(encrypt::MD5(read("temp/core.cab")), second.md5);
}

// "core\xFF" and "core\xFE" are two packages, yet both would be "temp/core\uFFFD.cab".
TEST_F(Downloader, AListWhoseNamesWouldShareACabinetIsRefused) {
    const std::string first = cabinet_test::makeStoredCabinet({{"file.txt", "first"}});
    const std::string second = cabinet_test::makeStoredCabinet({{"file.txt", "second"}});
    server.serve("first.cab", first);
    server.serve("second.cab", second);
    publishManifest({Pack{u"core\xDCFF", u"first.cab", encrypt::MD5(first), 1, 1},
                     Pack{u"core\xDCFE", u"second.cab", encrypt::MD5(second), 1, 1}});
    download(server.url("list.xml"));
    EXPECT_FALSE(packlist::isDownloadComplete(folder()));
    EXPECT_FALSE(exists("temp/dlstate.xml"));
    EXPECT_EQ(server.requests(), 1) << "only the list";
    EXPECT_NE(read("temp/log.txt").find("would share one cabinet file"), std::string::npos);
}

TEST_F(Downloader, HostileNamesAndAMissingListLeaveNoCompleteDownload) {
    packlist::Pack hostile = publish(u"core", 2, "core v2");
    hostile.name = u"../escaped";
    publishManifest({hostile});
    download(server.url("list.xml"));
    EXPECT_FALSE(packlist::isDownloadComplete(folder()));
    EXPECT_FALSE(exists("escaped.cab"));
    EXPECT_NE(read("temp/log.txt").find("Refused package"), std::string::npos);

    fs::remove_all(root_ / "temp");
    download(server.url("missing.xml"));
    EXPECT_FALSE(exists("temp/dlstate.xml"));
    EXPECT_NE(read("temp/log.txt").find("cannot be used"), std::string::npos);
}

} // namespace
