#include "updater/install_updates_command.h"

#include "packlist/pack_lists.h"
#include "testsupport/update_fixture.h"

#include <gtest/gtest.h>
#include <sstream>

class InstallUpdatesCommand : public UpdateFixture {
protected:
    int run() {
        output.str("");
        return updater::runInstallUpdatesCommand(programFolder(), output);
    }
    std::ostringstream output;
};

TEST_F(InstallUpdatesCommand, WithoutACompleteDownloadItExitsTwo) {
    EXPECT_EQ(run(), updater::kDownloadIncomplete);
    writeDownloadState({pack(u"core", 1)}, nullptr);
    EXPECT_EQ(run(), updater::kDownloadIncomplete);
    EXPECT_NE(output.str().find("dlstate.xml"), std::string::npos) << output.str();
}

TEST_F(InstallUpdatesCommand, InstallsTheProgramPackagesAndSaysTheUpdateWaitsForOtherKinds) {
    writeDownloadState({pack(u"core", 2), pack(u"addon", 1, 2), pack(u"skin", 3)});
    writeCabinet("core", "core.txt", "c");
    writeCabinet("skin", "skin.txt", "s");
    EXPECT_EQ(run(), updater::kUpdatePending);
    EXPECT_NE(output.str().find("2 packages to install"), std::string::npos) << output.str();
    EXPECT_NE(output.str().find("Installed package 2 of 2"), std::string::npos);
    EXPECT_NE(output.str().find("not complete"), std::string::npos) << output.str();
    EXPECT_EQ(output.str().find("Update complete"), std::string::npos) << output.str();
    EXPECT_EQ(read("skin.txt"), "s");
    EXPECT_EQ(run(), updater::kUpdatePending);
    EXPECT_NE(output.str().find("0 packages to install"), std::string::npos) << output.str();
}

TEST_F(InstallUpdatesCommand, CompletesAnUpdateWhoseLastPackageWasRecordedEarlier) {
    writeDownloadState({pack(u"core", 2)});
    packlist::recordInstalled(folder(), u"core", 2);
    EXPECT_EQ(run(), updater::kUpdatesInstalled);
    EXPECT_NE(output.str().find("Update complete"), std::string::npos) << output.str();
    EXPECT_TRUE(exists("localver.xml"));
}

TEST_F(InstallUpdatesCommand, RecordsThatCannotBeWrittenExitFour) {
    writeDownloadState({pack(u"core", 2)});
    writeCabinet("core", "core.txt", "c");
    std::filesystem::create_directory(path("localver.xml"));
    EXPECT_EQ(run(), updater::kNotRecorded);
    EXPECT_NE(output.str().find("could not be written"), std::string::npos) << output.str();
}

TEST_F(InstallUpdatesCommand, AFailedPackageExitsOneWithTheReason) {
    writeDownloadState({pack(u"core", 2)});
    EXPECT_EQ(run(), updater::kPackageFailed);
    EXPECT_NE(output.str().find("core.cab\" is missing"), std::string::npos) << output.str();
}
