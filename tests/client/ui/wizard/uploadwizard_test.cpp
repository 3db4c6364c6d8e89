// The upload wizard from the account folders on disk to the upload, step by step.
#include "testsupport/fake_account_service.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/fake_upload_service.h"
#include "testsupport/modal_dialogs.h"
#include "testsupport/qstring_print.h"
#include "testsupport/temporary_folder.h"

#include "gamefiles/game_folder.h"
#include "gamefiles/upload_marks.h"
#include "ui/wizard/ceditraiddlg.h"
#include "ui/wizard/ceditraiddlg_ids.h"
#include "ui/wizard/ceventimportdlg_ids.h"
#include "ui/wizard/cselectaccountdlg.h"
#include "ui/wizard/cselectraiddlg.h"
#include "ui/wizard/selectiondlg_ids.h"
#include "ui/wizard/uploadwizard.h"
#include "utilkit/ufile.h"
#include "utilkit/ustring.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const char* const kThreeRaids = R"(CT_RaidTracker_RaidLog = {
	{
		["key"] = "01/25/08 20:03:13",
		["zone"] = "纳克萨玛斯",
		["BossKills"] = {
			{
				["boss"] = "阿努布雷坎",
				["time"] = "01/25/08 20:30:00",
				["dkp"] = 10,
				["attendees"] = {
					"暗影之刃", -- [1]
				},
			}, -- [1]
		},
	}, -- [1]
	{
		["key"] = "01/26/08 20:00:00",
		["zone"] = "卡拉赞",
	}, -- [2]
	{
		["key"] = "01/27/08 19:00:00",
	}, -- [3]
}
)";

class UploadWizard : public testing::Test {
protected:
    UploadWizard() {
        gameFolder = dir.folder() + u"game/";
        QDir().mkpath(QString::fromStdU16String(gameFolder + u"WTF/Account"));
        inEffect.setConfigured(gameFolder);
        accounts.guilds = {{{{3, u"主DKP"}}, u"guild1"}};
    }

    void addAccount(const std::u16string& name, const std::string& addonData) {
        const std::u16string folder = gameFolder + u"WTF/Account/" + name + u"/";
        QDir().mkpath(QString::fromStdU16String(folder + u"SavedVariables"));
        ufile::WriteFileData(folder + u"SavedVariables.lua", "");
        ufile::WriteFileData(folder + u"SavedVariables/TALLYRA.lua", addonData);
    }
    ui::CUploadWizard::Outcome run(gamefiles::UploadMarks* marks = nullptr) {
        ui::CUploadWizard wizard(
            {prompter, desktop}, &accounts, &uploads,
            {QStringLiteral("http://dkp.test"), QStringLiteral("http://items.test")}, inEffect);
        wizard.setUploadMarks(marks);
        return wizard.run();
    }
    static void clickNext(QDialog* dialog) {
        dialog->findChild<QPushButton*>(ui::selectiondlgids::NextButton)->click();
    }

    const testsupport::TemporaryFolder dir;
    std::u16string gameFolder;
    gamefiles::GameFolder inEffect;
    testsupport::FakeAccountService accounts;
    testsupport::FakeUploadService uploads;
    testsupport::RecordingPrompter prompter;
    testsupport::FakeDesktop desktop;
};

TEST_F(UploadWizard, WithoutAccountFoldersItNamesTheFolderAndEnds) {
    EXPECT_EQ(run(), ui::CUploadWizard::Outcome::NoAccountChosen);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text.toStdU16String(),
              u"在" + gameFolder +
                  u"目录上没有找到您的角色目录！\n请在RAID活动结束之后再上传DKP记录！");
}

TEST_F(UploadWizard, AnAccountWithoutRaidsEndsWithTheNoRaidMessage) {
    addAccount(u"ACCOUNT", "CT_RaidTracker_Options = {\n}\n");
    testsupport::whenShown<ui::CSelectAccountDlg>(
        [](ui::CSelectAccountDlg* dialog) { clickNext(dialog); });
    EXPECT_EQ(run(), ui::CUploadWizard::Outcome::NoRaidChosen);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "没有检测到您的RAID记录！请在RAID活动结束之后再上传DKP记录！");
}

// The file is sparse: the test writes only its first lines.
TEST_F(UploadWizard, AnAddonDataFileOver2GiBIsNamedInsteadOfNoRaids) {
    addAccount(u"ACCOUNT", kThreeRaids);
    const std::u16string file = gameFolder + u"WTF/Account/ACCOUNT/SavedVariables/TALLYRA.lua";
    std::filesystem::resize_file(ufile::toNativePath(file), std::uintmax_t{1} << 31);
    testsupport::whenShown<ui::CSelectAccountDlg>(
        [](ui::CSelectAccountDlg* dialog) { clickNext(dialog); });
    EXPECT_EQ(run(), ui::CUploadWizard::Outcome::NoRaidChosen);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text.toStdU16String(),
              file + u" 文件太大（超过2GB），无法读取其中的RAID记录！");
}

TEST_F(UploadWizard, CancellingTheRaidWindowEndsQuietly) {
    addAccount(u"ACCOUNT", kThreeRaids);
    testsupport::whenShown<ui::CSelectAccountDlg>([](ui::CSelectAccountDlg* dialog) {
        clickNext(dialog);
        testsupport::whenShown<ui::CSelectRaidDlg>([](ui::CSelectRaidDlg* raids) {
            clickNext(raids);
            testsupport::whenShown<ui::CEditRaidDlg>(
                [](ui::CEditRaidDlg* window) { window->reject(); });
        });
    });
    EXPECT_EQ(run(), ui::CUploadWizard::Outcome::RaidWindowCancelled);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(uploads.sent.empty());
    EXPECT_TRUE(uploads.listeners.empty());
}

TEST_F(UploadWizard, UploadsTheChosenRaidOfTheChosenAccount) {
    addAccount(u"FIRST", "");
    addAccount(u"SECOND", kThreeRaids);
    QStringList raidNames;
    QString windowTitle;
    testsupport::whenShown<ui::CSelectAccountDlg>([&](ui::CSelectAccountDlg* dialog) {
        const auto found = dialog->accountList()->findItems("SECOND", Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        dialog->accountList()->setCurrentItem(found[0]);
        clickNext(dialog);
        testsupport::whenShown<ui::CSelectRaidDlg>([&](ui::CSelectRaidDlg* raids) {
            for (int row = 0; row < raids->raidList()->count(); ++row)
                raidNames << raids->raidList()->item(row)->text();
            raids->raidList()->setCurrentRow(1);
            clickNext(raids);
            testsupport::whenShown<ui::CEditRaidDlg>([&](ui::CEditRaidDlg* window) {
                windowTitle = window->windowTitle();
                window->findChild<QPushButton*>(ui::editraiddlgids::NextButton)->click();
                testsupport::whenShown<ui::CEventImportDlg>([&](ui::CEventImportDlg* upload) {
                    upload->findChild<QPushButton*>(ui::eventimportdlgids::UploadButton)->click();
                    uploads.answer(200, 41);
                });
            });
        });
    });
    EXPECT_EQ(run(), ui::CUploadWizard::Outcome::UploadDialogEnded);
    EXPECT_EQ(raidNames, (QStringList{"08/01/25 20:03:13(纳克萨玛斯)", "08/01/26 20:00:00(卡拉赞)",
                                      "08/01/27 19:00:00"}));
    EXPECT_EQ(windowTitle, "编辑RAID活动-08/01/26 20:00:00(卡拉赞)");
    ASSERT_EQ(uploads.sent.size(), 1u);
    EXPECT_EQ(uploads.sent[0].name, u"08/01/26 20:00:00(卡拉赞)");
    EXPECT_EQ(uploads.sent[0].guildId, u"guild1");
    EXPECT_EQ(uploads.sent[0].dkpSystemId, 3u);
    EXPECT_NE(uploads.sent[0].document.find(u"卡拉赞"), std::u16string::npos);
    EXPECT_EQ(prompter.questions.size(), 1u);
    EXPECT_TRUE(uploads.listeners.empty());
}

// Uploads the second raid of SECOND and answers the event page offer with No.
void uploadSecondRaid(testsupport::FakeUploadService& uploads) {
    testsupport::whenShown<ui::CSelectAccountDlg>([&](ui::CSelectAccountDlg* dialog) {
        dialog->accountList()->setCurrentItem(
            dialog->accountList()->findItems("SECOND", Qt::MatchExactly).value(0));
        dialog->findChild<QPushButton*>(ui::selectiondlgids::NextButton)->click();
        testsupport::whenShown<ui::CSelectRaidDlg>([&](ui::CSelectRaidDlg* raids) {
            raids->raidList()->setCurrentRow(1);
            raids->findChild<QPushButton*>(ui::selectiondlgids::NextButton)->click();
            testsupport::whenShown<ui::CEditRaidDlg>([&](ui::CEditRaidDlg* window) {
                window->findChild<QPushButton*>(ui::editraiddlgids::NextButton)->click();
                testsupport::whenShown<ui::CEventImportDlg>([&](ui::CEventImportDlg* upload) {
                    upload->findChild<QPushButton*>(ui::eventimportdlgids::UploadButton)->click();
                    uploads.answer(200, 41);
                });
            });
        });
    });
}

TEST_F(UploadWizard, TheUploadedRaidIsMarkedInTheAccountsListNextTime) {
    addAccount(u"FIRST", kThreeRaids);
    addAccount(u"SECOND", kThreeRaids);
    testsupport::TemporaryFolder program;
    gamefiles::UploadMarks marks(program.folder());
    uploadSecondRaid(uploads);
    EXPECT_EQ(run(&marks), ui::CUploadWizard::Outcome::UploadDialogEnded);
    ASSERT_EQ(uploads.sent.size(), 1u);

    // The same raid read from another account's log is not that account's upload.
    for (const char* account : {"FIRST", "SECOND"}) {
        QStringList raidNames;
        QString tip;
        testsupport::whenShown<ui::CSelectAccountDlg>([&](ui::CSelectAccountDlg* dialog) {
            dialog->accountList()->setCurrentItem(
                dialog->accountList()->findItems(account, Qt::MatchExactly).value(0));
            clickNext(dialog);
            testsupport::whenShown<ui::CSelectRaidDlg>([&](ui::CSelectRaidDlg* raids) {
                for (int row = 0; row < raids->raidList()->count(); ++row)
                    raidNames << raids->raidList()->item(row)->text();
                tip = raids->raidList()->item(1)->toolTip();
                raids->reject();
            });
        });
        EXPECT_EQ(run(&marks), ui::CUploadWizard::Outcome::NoRaidChosen);
        const QString second = account == std::string("SECOND")
                                   ? "08/01/26 20:00:00(卡拉赞)  已上传"
                                   : "08/01/26 20:00:00(卡拉赞)";
        EXPECT_EQ(raidNames,
                  (QStringList{"08/01/25 20:03:13(纳克萨玛斯)", second, "08/01/27 19:00:00"}));
        EXPECT_EQ(tip.contains("上传到http://dkp.test（活动ID 41）"),
                  account == std::string("SECOND"))
            << tip.toStdString();
    }
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(UploadWizard, ADamagedMarksFileIsReportedBeforeTheRaidList) {
    addAccount(u"ACCOUNT", kThreeRaids);
    testsupport::TemporaryFolder program;
    ufile::WriteFileData(program.folder() + u"uploads.json", "{\"format\": 1, \"uploads\": [{}]}");
    gamefiles::UploadMarks marks(program.folder());
    int messagesBeforeList = -1;
    testsupport::whenShown<ui::CSelectAccountDlg>([&](ui::CSelectAccountDlg* dialog) {
        clickNext(dialog);
        testsupport::whenShown<ui::CSelectRaidDlg>([&](ui::CSelectRaidDlg* raids) {
            messagesBeforeList = static_cast<int>(prompter.messages.size());
            raids->reject();
        });
    });
    EXPECT_EQ(run(&marks), ui::CUploadWizard::Outcome::NoRaidChosen);
    EXPECT_EQ(messagesBeforeList, 1);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.contains("已损坏"))
        << prompter.messages[0].text.toStdString();
    EXPECT_FALSE(std::filesystem::exists(program.path() / "uploads.json"));
}

} // namespace
