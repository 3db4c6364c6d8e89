#include "updater/package_installer.h"

#include "packlist/pack_list_file.h"
#include "packlist/pack_lists.h"
#include "testsupport/cabinet_builder.h"
#include "testsupport/update_fixture.h"
#include "utilkit/ufile.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

using packlist::PackList;
using updater::PackageInstaller;

namespace {

// Writes down every call, in order, as text.
class RecordingListener final : public updater::InstallListener {
public:
    void onProgress(int done, int total) override {
        add("progress " + std::to_string(done) + "/" + std::to_string(total));
        if (afterProgress)
            afterProgress(done);
    }
    void onLog(const std::string& log) override { add("log " + log); }
    void onFinished() override { add("finished"); }
    void onFailed() override { add("failed"); }

    std::vector<std::string> calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    std::function<void(int)> afterProgress;

private:
    void add(std::string call) {
        std::lock_guard lock(mutex_);
        calls_.push_back(std::move(call));
    }
    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
};

struct Release {
    void operator()(PackageInstaller* installer) const { installer->release(); }
};
using InstallerHandle = std::unique_ptr<PackageInstaller, Release>;

using Calls = std::vector<std::string>;

class UpdateRun : public UpdateFixture {
protected:
    InstallerHandle makeInstaller() {
        auto installer =
            InstallerHandle(new PackageInstaller({programFolder(), std::chrono::milliseconds(5)}));
        installer->addListener(&listener);
        return installer;
    }
    // One whole run of `kind`; the calls it made.
    Calls runOnce(std::int32_t kind = 1) {
        const InstallerHandle installer = makeInstaller();
        installer->start(kind);
        installer->waitForRun();
        return listener.calls();
    }

    RecordingListener listener;
};

TEST_F(UpdateRun, NothingPendingGivesOneFinishedOnly) {
    writeDownloadState({});
    EXPECT_EQ(runOnce(), Calls{"finished"});
}

TEST_F(UpdateRun, AnIncompleteDownloadTellsNobodyAndTouchesNothing) {
    writeDownloadState({pack(u"core", 2)}, "downloading");
    writeCabinet("core", "core.txt", "v2");
    EXPECT_EQ(runOnce(), Calls{});
    EXPECT_TRUE(exists("temp/core.cab"));
    EXPECT_FALSE(exists("core.txt"));
}

TEST_F(UpdateRun, TwoPackagesAreInstalledRecordedAndTheUpdateCompleted) {
    writeDownloadState({pack(u"core", 2), pack(u"skin", 5)});
    write("temp/log.txt", "fetched 2 packages");
    writeCabinet("core", "bin\\core.txt", "core v2");
    writeCabinet("skin", "skin.txt", "skin v5");

    EXPECT_EQ(runOnce(),
              (Calls{"log fetched 2 packages", "progress 1/2", "progress 2/2", "finished"}));
    EXPECT_EQ(read("bin/core.txt"), "core v2");
    EXPECT_EQ(read("skin.txt"), "skin v5");
    for (const char* gone : {"temp/core.cab", "temp/skin.cab", "temp/dlstate.xml", "temp/log.txt",
                             "temp/installed.xml"})
        EXPECT_FALSE(exists(gone)) << gone;
    packlist::PackList local;
    ASSERT_TRUE(packlist::readPackList(folder().localVersions(), local));
    EXPECT_EQ(local, (packlist::PackList{{u"core", u"", "", 2, 1}, {u"skin", u"", "", 5, 1}}));
}

TEST_F(UpdateRun, ARunThatFindsEveryPackageRecordedCompletesTheUpdate) {
    // An earlier run recorded its last package and ended before it completed the update.
    writeDownloadState({pack(u"core", 2), pack(u"addon", 4, 2)});
    write("temp/log.txt", "fetched");
    packlist::recordInstalled(folder(), u"core", 2);
    const InstallerHandle installer = makeInstaller();
    installer->start(1);
    installer->waitForRun();
    EXPECT_EQ(listener.calls(), Calls{"finished"});
    EXPECT_EQ(installer->outcome(), updater::RunOutcome::kUpdatePending);
    EXPECT_TRUE(exists("temp/dlstate.xml")); // the addon is not installed yet

    packlist::recordInstalled(folder(), u"addon", 4);
    EXPECT_EQ(runOnce(), (Calls{"finished", "finished"}));
    packlist::PackList local;
    ASSERT_TRUE(packlist::readPackList(folder().localVersions(), local));
    EXPECT_EQ(local, (packlist::PackList{{u"core", u"", "", 2, 1}, {u"addon", u"", "", 4, 2}}));
    for (const char* gone : {"temp/dlstate.xml", "temp/log.txt", "temp/installed.xml"})
        EXPECT_FALSE(exists(gone)) << gone;
}

TEST_F(UpdateRun, StateFilesStayWhenTheVersionsCannotBeRecorded) {
    writeDownloadState({pack(u"core", 2)});
    writeCabinet("core", "core.txt", "v2");
    std::filesystem::create_directory(path("localver.xml")); // in the way of the write
    const InstallerHandle installer = makeInstaller();
    installer->start(1);
    installer->waitForRun();
    EXPECT_EQ(listener.calls(), (Calls{"log ", "progress 1/1", "finished"}));
    EXPECT_EQ(installer->outcome(), updater::RunOutcome::kNotRecorded);
    EXPECT_TRUE(exists("temp/dlstate.xml"));
    EXPECT_TRUE(exists("temp/installed.xml"));

    std::filesystem::remove(path("localver.xml"));
    EXPECT_EQ(runOnce(), (Calls{"log ", "progress 1/1", "finished", "finished"}));
    EXPECT_TRUE(exists("localver.xml"));
    EXPECT_FALSE(exists("temp/dlstate.xml"));
}

TEST_F(UpdateRun, ACabinetIsDeletedOnlyOnceItsRecordIsWritten) {
    writeDownloadState({pack(u"core", 2), pack(u"skin", 5)});
    writeCabinet("core", "core.txt", "v2");
    writeCabinet("skin", "skin.txt", "v5");
    std::filesystem::create_directory(path("temp/installed.xml")); // in the way of the record
    const InstallerHandle installer = makeInstaller();
    installer->start(1);
    installer->waitForRun();
    EXPECT_EQ(listener.calls(), (Calls{"log ", "progress 1/2", "progress 2/2", "finished"}));
    EXPECT_EQ(installer->outcome(), updater::RunOutcome::kNotRecorded);
    EXPECT_TRUE(exists("temp/core.cab"));
    EXPECT_TRUE(exists("temp/skin.cab"));

    // The next run installs them again from their cabinets and completes the update.
    std::filesystem::remove(path("temp/installed.xml"));
    write("core.txt", "changed since");
    EXPECT_EQ(runOnce().back(), "finished");
    EXPECT_EQ(read("core.txt"), "v2");
    EXPECT_FALSE(exists("temp/dlstate.xml"));
    EXPECT_TRUE(exists("localver.xml"));
}

TEST_F(UpdateRun, ManyPackagesAreAllRecordedInOrderAndTheirCabinetsRemoved) {
    packlist::PackList packs;
    for (int i = 0; i < 100; ++i) {
        packs.push_back(pack(u"p" + ufile::fromNativePath(std::to_string(i)), i));
        writeCabinet(ufile::toNativePath(packs.back().name), "f" + std::to_string(i), "x");
    }
    write("temp/second.cab", "damaged");
    packs.push_back(pack(u"second", 1));
    writeDownloadState(packs);
    EXPECT_EQ(runOnce().back(), "failed");
    packlist::PackList installed;
    ASSERT_TRUE(packlist::readPackList(folder().installedList(), installed));
    ASSERT_EQ(installed.size(), 100u);
    for (std::size_t i = 0; i < 100; ++i) {
        EXPECT_EQ(installed[i].name, packs[i].name);
        EXPECT_FALSE(exists("temp/" + ufile::toNativePath(packs[i].name) + ".cab"));
    }
}

TEST_F(UpdateRun, ASecondStartStartsNoSecondRun) {
    writeDownloadState({pack(u"core", 2)});
    writeCabinet("core", "core.txt", "v2");
    const InstallerHandle installer = makeInstaller();
    installer->start(1);
    installer->start(1);
    installer->waitForRun();
    writeDownloadState({pack(u"core", 3)});
    writeCabinet("core", "core.txt", "v3");
    installer->start(1);
    installer->waitForRun();
    EXPECT_EQ(listener.calls(), (Calls{"log ", "progress 1/1", "finished"}));
    EXPECT_EQ(read("core.txt"), "v2");
    EXPECT_TRUE(installer->hasPending());
}

TEST_F(UpdateRun, AFailingCabinetStopsTheRunAndTheNextRunInstallsOnlyTheRest) {
    writeDownloadState({pack(u"first", 1), pack(u"second", 1), pack(u"third", 1)});
    writeCabinet("first", "first.txt", "1");
    write("temp/second.cab", "MSCF but damaged");
    writeCabinet("third", "third.txt", "3");

    EXPECT_EQ(runOnce(), (Calls{"log ", "progress 1/3", "failed"}));
    EXPECT_FALSE(exists("third.txt"));
    EXPECT_TRUE(exists("temp/dlstate.xml"));
    EXPECT_FALSE(exists("localver.xml"));
    packlist::PackList installed;
    ASSERT_TRUE(packlist::readPackList(folder().installedList(), installed));
    EXPECT_EQ(installed, (packlist::PackList{{u"first", u"", "", 1, 0}}));

    writeCabinet("second", "second.txt", "2");
    RecordingListener next;
    {
        const InstallerHandle installer(
            new PackageInstaller({programFolder(), std::chrono::milliseconds(5)}));
        installer->addListener(&next);
        installer->start(1);
        installer->waitForRun();
    }
    EXPECT_EQ(next.calls(), (Calls{"log ", "progress 1/2", "progress 2/2", "finished"}));
    EXPECT_EQ(read("second.txt"), "2");
    EXPECT_EQ(read("third.txt"), "3");
    EXPECT_FALSE(exists("temp/installed.xml"));
}

TEST_F(UpdateRun, AReadOnlyTargetFailsAfterItsAttempts) {
    writeDownloadState({pack(u"core", 2)});
    writeCabinet("core", "core.txt", "v2");
    write("core.txt", "v1");
    std::filesystem::permissions(path("core.txt"), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    const InstallerHandle installer = makeInstaller();
    installer->start(1);
    installer->waitForRun();
    EXPECT_EQ(listener.calls(), (Calls{"log ", "failed"}));
    EXPECT_NE(installer->lastError().find("read-only"), std::string::npos);
    EXPECT_EQ(read("core.txt"), "v1");
    EXPECT_TRUE(exists("temp/core.cab"));
}

TEST_F(UpdateRun, PendingPacksCoverAllKindsAndHasPendingOnlyItsOwn) {
    writeDownloadState({pack(u"program", 2, 1), pack(u"addon", 4, 2)});
    writeCabinet("program", "program.txt", "p");
    writeCabinet("addon", "addon.txt", "a");
    const InstallerHandle installer = makeInstaller();
    packlist::PackList pending;
    EXPECT_TRUE(installer->getPendingPacks(pending));
    EXPECT_EQ(pending, (packlist::PackList{pack(u"program", 2, 1), pack(u"addon", 4, 2)}));
    EXPECT_FALSE(installer->hasPending()); // kind 0 until started

    installer->start(2);
    installer->waitForRun();
    EXPECT_EQ(read("addon.txt"), "a");
    EXPECT_FALSE(exists("program.txt"));
    EXPECT_FALSE(installer->hasPending());
    // The update is not complete until the other kind is installed.
    EXPECT_TRUE(exists("temp/dlstate.xml"));
    EXPECT_FALSE(exists("localver.xml"));
    EXPECT_EQ(runOnce(1),
              (Calls{"log ", "progress 1/1", "finished", "log ", "progress 1/1", "finished"}));
    EXPECT_TRUE(exists("localver.xml"));
}

TEST_F(UpdateRun, ReleasingDuringARunStopsBeforeTheNextPackage) {
    writeDownloadState({pack(u"first", 1), pack(u"second", 1)});
    writeCabinet("first", "first.txt", "1");
    writeCabinet("second", "second.txt", "2");
    auto* installer = new PackageInstaller({programFolder(), std::chrono::milliseconds(5)});
    installer->addListener(&listener);
    listener.afterProgress = [&](int) { installer->release(); };
    installer->start(1);
    // Released, the worker goes on alone: it records the package it installed and stops.
    for (int i = 0; i < 1000 && !exists("temp/installed.xml"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(listener.calls(), (Calls{"log ", "progress 1/2"}));
    EXPECT_EQ(read("first.txt"), "1");
    EXPECT_FALSE(exists("second.txt"));
    EXPECT_TRUE(exists("temp/second.cab"));
    packlist::PackList installed;
    ASSERT_TRUE(packlist::readPackList(folder().installedList(), installed));
    EXPECT_EQ(installed.size(), 1u);
}

TEST_F(UpdateRun, APackageNameThatIsAPathFailsWithoutTouchingThatPath) {
    write("outside.cab", "MSCF");
    writeDownloadState({pack(u"../outside", 1)});
    EXPECT_EQ(runOnce(), (Calls{"log ", "failed"}));
    EXPECT_TRUE(exists("outside.cab"));
}

TEST_F(UpdateRun, ANameTooLongForTheFileSystemFailsThatPackageAfterItsAttempts) {
    const std::u16string longName(84, u'\u66F4'); // 252 bytes in UTF-8, 256 with ".cab"
    writeDownloadState({pack(longName, 1), pack(u"core", 2)});
    writeCabinet("core", "core.txt", "v2");
    const InstallerHandle installer = makeInstaller();
    installer->start(1);
    installer->waitForRun();
    EXPECT_EQ(listener.calls(), (Calls{"log ", "failed"}));
    EXPECT_NE(installer->lastError().find("cannot be opened"), std::string::npos)
        << installer->lastError();
    for (const auto& entry : std::filesystem::directory_iterator(path("temp")))
        EXPECT_FALSE(entry.path().filename().string().starts_with("cabinet-")) << entry.path();
}

TEST_F(UpdateRun, LeftoversOfAKilledRunAreRemovedAndTheDownloadersFilesKept) {
    // The process that wrote the new copies has ended.
    const pid_t killed = ::fork();
    ASSERT_GE(killed, 0);
    if (killed == 0)
        ::_exit(0);
    ASSERT_EQ(::waitpid(killed, nullptr, 0), killed);
    const std::string installedCopy = "temp/installed.xml.tmp" + std::to_string(killed) + "-17";
    const std::string versionsCopy = "localver.xml.tmp" + std::to_string(killed) + "-18";
    write("temp/cabinet-x1Y2z3/0", "half decoded");
    write(installedCopy, "<?xml");
    write(versionsCopy, "<?xml");
    write("temp/core.cab.part", "the downloader's");
    write("temp/other.tmp", "the downloader's");
    writeDownloadState({pack(u"core", 2)}, "downloading");
    EXPECT_EQ(runOnce(), Calls{});
    for (const std::string& gone :
         {std::string("temp/cabinet-x1Y2z3"), installedCopy, versionsCopy})
        EXPECT_FALSE(exists(gone)) << gone;
    for (const char* kept : {"temp/core.cab.part", "temp/other.tmp", "temp/dlstate.xml"})
        EXPECT_TRUE(exists(kept)) << kept;
}

TEST_F(UpdateRun, AnUpdateCompletesWhateverBytesItsNamesHold) {
    write("temp/dlstate.xml", "<?xml version=\"1.0\" encoding=\"gb2312\"?><version>\n"
                              "\t<pack name=\"core\xFF\" ver=\"2\" type=\"1\"/>\n"
                              "\t<state flag=\"ok\"/>\n</version>\n");
    const packlist::PackList pending = packlist::pendingPacks(folder());
    ASSERT_EQ(pending.size(), 1u);
    write(ufile::toNativePath(folder().cabinet(pending[0].name)).substr(path("").string().size()),
          cabinet_test::makeStoredCabinet({{"core.txt", "v2"}}));

    EXPECT_EQ(runOnce(), (Calls{"log ", "progress 1/1", "finished"}));
    EXPECT_EQ(read("core.txt"), "v2");
    EXPECT_FALSE(exists("temp/dlstate.xml"));
    EXPECT_NE(read("localver.xml").find("name=\"core\xFF\""), std::string::npos);
    EXPECT_TRUE(packlist::pendingPacks(folder()).empty());
}

TEST_F(UpdateRun, PackagesWhoseNamesWouldShareACabinetAreNotInstalled) {
    write("temp/dlstate.xml", "<?xml version=\"1.0\" encoding=\"gb2312\"?><version>\n"
                              "\t<pack name=\"core\xFF\" ver=\"2\" type=\"1\"/>\n"
                              "\t<pack name=\"core\xFE\" ver=\"2\" type=\"1\"/>\n"
                              "\t<state flag=\"ok\"/>\n</version>\n");
    const std::string cabinet =
        ufile::toNativePath(folder().cabinet(packlist::pendingPacks(folder())[0].name));
    write(cabinet.substr(path("").string().size()),
          cabinet_test::makeStoredCabinet({{"core.txt", "v2"}}));
    const InstallerHandle installer = makeInstaller();
    installer->start(1);
    installer->waitForRun();
    EXPECT_EQ(listener.calls(), Calls{"failed"});
    EXPECT_NE(installer->lastError().find("would share one cabinet file"), std::string::npos)
        << installer->lastError();
    EXPECT_FALSE(exists("core.txt"));
    EXPECT_EQ(packlist::pendingPacks(folder()).size(), 2u);
}

TEST_F(UpdateRun, ListenersAreAddedOnceAndRemovedOnce) {
    const InstallerHandle installer = makeInstaller();
    EXPECT_FALSE(installer->addListener(nullptr));
    EXPECT_TRUE(installer->addListener(&listener));
    EXPECT_TRUE(installer->removeListener(&listener));
    EXPECT_FALSE(installer->removeListener(&listener));
    EXPECT_FALSE(installer->removeListener(nullptr));
    writeDownloadState({});
    installer->start(1);
    installer->waitForRun();
    EXPECT_EQ(listener.calls(), Calls{});
}

} // namespace
