// Before the user has chosen a game folder, and without the game's own record of one, the game
// folder is the empty text. No game file operation may then fall back on the current folder,
// which holds a game's layout here on purpose.
#include "gamefiles/addon_backup.h"
#include "gamefiles/addon_manager.h"
#include "gamefiles/dkp_list.h"
#include "gamefiles/error_correction.h"
#include "gamefiles/game_folder.h"
#include "gamefiles/restore_operations.h"

#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

#include <set>

using namespace gamefiles;
namespace fs = std::filesystem;

namespace {

// Records the messages; any question would be answered Yes.
class YesOwner : public IMessageOwner {
public:
    bool askQuestion(std::u16string_view, std::u16string_view) override {
        ++questions;
        return true;
    }
    void showInformation(std::u16string_view, std::u16string_view text) override {
        messages.emplace_back(text);
    }
    void showWarning(std::u16string_view, std::u16string_view text) override {
        messages.emplace_back(text);
    }
    int questions = 0;
    std::vector<std::u16string> messages;
};

class NoGameFolder : public testing::Test {
protected:
    void SetUp() override {
        current_.write("WTF/Account/ALICE/SavedVariables.lua", "-- game");
        current_.write("WTF/Account/ALICE/SavedVariables/TALLYRA.lua",
                       "CT_RaidTracker_RaidLog = {}");
        current_.write("Interface/AddOns/MerDKP/MerDKP.lua", "-- stand-alone");
        program_.write("Addonkit/TALLYRA/version.txt", "1.0.0");
        program_.write("Addonkit/TALLYRA/TALLYRA.toc", "## Title: TALLYRA");
        previous_ = fs::current_path();
        fs::current_path(current_.path(""));
        before_ = listing();
    }
    void TearDown() override { fs::current_path(previous_); }

    std::set<std::string> listing() const {
        std::set<std::string> entries;
        for (const auto& entry : fs::recursive_directory_iterator(current_.path("")))
            entries.insert(entry.path().lexically_relative(current_.path("")).string());
        return entries;
    }

    testsupport::TemporaryFolder current_;
    testsupport::TemporaryFolder program_;
    fs::path previous_;
    std::set<std::string> before_;
};

TEST_F(NoGameFolder, MaintenanceListsAndRestoreTargetsLeaveTheCurrentFolderAlone) {
    backupStandaloneAddons(u"");
    EXPECT_FALSE(AddonManager(program_.folder()).installAddon(u""));
    EXPECT_FALSE(writeDkpList(u"", "Mer_DKP_UPDATETIME = \"1\";\nMerDKP_Table = {}\n"));
    std::vector<std::u16string> accounts;
    getAccounts(u"", accounts);
    EXPECT_TRUE(accounts.empty());
    EXPECT_EQ(restoreTargetFile(u"", u"ALICE"), u"");
    EXPECT_EQ(getAddonDataFile(u"", u"ALICE"), u"");
    EXPECT_EQ(listing(), before_);
}

TEST_F(NoGameFolder, ErrorCorrectionSaysSoWithoutAskingOrMovingAnything) {
    YesOwner owner;
    EXPECT_EQ(correctAddonErrors(owner, u""), Correction::NoGameFolder);
    EXPECT_EQ(owner.questions, 0);
    ASSERT_EQ(owner.messages.size(), 1u);
    EXPECT_EQ(owner.messages[0], kCorrectionNoGameFolder);
    EXPECT_EQ(listing(), before_);
}

} // namespace
