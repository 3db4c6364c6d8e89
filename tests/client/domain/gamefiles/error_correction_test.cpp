#include "gamefiles/error_correction.h"

#include "testsupport/temporary_folder.h"

#include <gtest/gtest.h>

#include <vector>

using namespace gamefiles;

namespace {

// Answers the question as told and records every message.
class RecordingOwner : public IMessageOwner {
public:
    explicit RecordingOwner(bool answer) : answer_(answer) {}
    bool askQuestion(std::u16string_view caption, std::u16string_view text) override {
        shown.push_back({u"question", std::u16string(caption), std::u16string(text)});
        return answer_;
    }
    void showInformation(std::u16string_view caption, std::u16string_view text) override {
        shown.push_back({u"information", std::u16string(caption), std::u16string(text)});
    }
    void showWarning(std::u16string_view caption, std::u16string_view text) override {
        shown.push_back({u"warning", std::u16string(caption), std::u16string(text)});
    }
    struct Message {
        std::u16string kind, caption, text;
        bool operator==(const Message&) const = default;
    };
    std::vector<Message> shown;

private:
    bool answer_;
};

const RecordingOwner::Message kQuestion{
    u"question", u"操作提示",
    u"修正插件错误将会删除您的WOW客户端下的角色目录本地存档数据"
    u"，但不会影响您的帐号安全或游戏数据！\n您确定要进行插件错误"
    u"修正吗？"};
const RecordingOwner::Message kDone{u"information", u"操作提示",
                                    u"已经进行插件错误修正！请关闭WOW客户端后重新进入游戏尝试！"};

TEST(ErrorCorrection, AnswerNoChangesNothingAndSaysNothingMore) {
    testsupport::TemporaryFolder game;
    game.write("WTF/Account/ALICE/SavedVariables.lua", "data");
    game.write("Interface/AddOns/MerDKP/MerDKP.lua", "merdkp");
    RecordingOwner owner(false);
    EXPECT_EQ(correctAddonErrors(owner, game.folder()), Correction::Declined);
    EXPECT_EQ(owner.shown, std::vector<RecordingOwner::Message>{kQuestion});
    EXPECT_EQ(game.read("WTF/Account/ALICE/SavedVariables.lua"), "data");
    EXPECT_FALSE(game.exists("WTF/Account_backup"));
    EXPECT_TRUE(game.exists("Interface/AddOns/MerDKP"));
}

TEST(ErrorCorrection, MovesTheAccountFolderAsideAndTheStandaloneAddons) {
    testsupport::TemporaryFolder game;
    game.write("WTF/Account/ALICE/SavedVariables/TALLYRA.lua", "raids");
    game.write("Interface/AddOns/MerDKP/MerDKP.lua", "merdkp");
    RecordingOwner owner(true);
    EXPECT_EQ(correctAddonErrors(owner, game.folder()), Correction::Corrected);
    EXPECT_EQ(owner.shown, (std::vector<RecordingOwner::Message>{kQuestion, kDone}));
    EXPECT_FALSE(game.exists("WTF/Account"));
    EXPECT_EQ(game.read("WTF/Account_backup/ALICE/SavedVariables/TALLYRA.lua"), "raids");
    EXPECT_EQ(game.read("Interface/TALLYRA_AUTO_BACK/MerDKP/MerDKP.lua"), "merdkp");
}

TEST(ErrorCorrection, WithoutAnAccountFolderOnlyTheClosingMessageComes) {
    testsupport::TemporaryFolder game;
    game.write("Interface/AddOns/MerDKP/MerDKP.lua", "merdkp");
    RecordingOwner owner(true);
    EXPECT_EQ(correctAddonErrors(owner, game.folder()), Correction::NoAccountFolder);
    EXPECT_EQ(owner.shown, (std::vector<RecordingOwner::Message>{kQuestion, kDone}));
    EXPECT_TRUE(game.exists("Interface/AddOns/MerDKP"));
    EXPECT_FALSE(game.exists("Interface/TALLYRA_AUTO_BACK"));
}

TEST(ErrorCorrection, SecondCorrectionKeepsTheFirstBackupAndTheNewerFiles) {
    testsupport::TemporaryFolder game;
    game.write("WTF/Account/ALICE/SavedVariables/TALLYRA.lua", "first raids");
    RecordingOwner owner(true);
    ASSERT_EQ(correctAddonErrors(owner, game.folder()), Correction::Corrected);
    game.write("WTF/Account/ALICE/SavedVariables/TALLYRA.lua", "second raids");
    game.write("WTF/Account/BOB/SavedVariables/TALLYRA.lua", "bob");
    EXPECT_EQ(correctAddonErrors(owner, game.folder()), Correction::Corrected);
    EXPECT_FALSE(game.exists("WTF/Account"));
    EXPECT_EQ(game.read("WTF/Account_backup/ALICE/SavedVariables/TALLYRA.lua"), "first raids");
    EXPECT_EQ(game.read("WTF/Account_backup/BOB/SavedVariables/TALLYRA.lua"), "bob");
    std::vector<std::string> dated;
    for (const auto& entry : std::filesystem::directory_iterator(game.path("WTF")))
        if (entry.path().filename().string().starts_with("Account_backup_"))
            dated.push_back(entry.path().filename().string());
    ASSERT_EQ(dated.size(), 1u);
    EXPECT_EQ(game.read("WTF/" + dated[0] + "/ALICE/SavedVariables/TALLYRA.lua"), "second raids");
}

TEST(ErrorCorrection, FailedBackupKeepsTheAccountFolderAndSaysSo) {
    testsupport::TemporaryFolder game;
    game.write("WTF/Account/ALICE/SavedVariables/TALLYRA.lua", "raids");
    game.write("WTF/Account_backup", "a file where the backup folder should go");
    RecordingOwner owner(true);
    EXPECT_EQ(correctAddonErrors(owner, game.folder()), Correction::BackupFailed);
    EXPECT_EQ(game.read("WTF/Account/ALICE/SavedVariables/TALLYRA.lua"), "raids");
    ASSERT_EQ(owner.shown.size(), 2u);
    EXPECT_EQ(owner.shown[1].kind, u"warning");
    EXPECT_EQ(owner.shown[1].text, kCorrectionCopyFailed);
}

} // namespace
