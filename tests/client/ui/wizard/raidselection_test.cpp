// The account and raid selection dialogs.
#include "testsupport/fake_desktop.h"
#include "testsupport/qstring_print.h"
#include "testsupport/raid_table.h"

#include "ui/wizard/cselectaccountdlg.h"
#include "ui/wizard/cselectraiddlg.h"
#include "ui/wizard/selectiondlg_ids.h"

#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

QStringList rows(QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

void clickNext(QDialog& dialog) {
    dialog.findChild<QPushButton*>(ui::selectiondlgids::NextButton)->click();
}

TEST(SelectAccount, NoAccountsNamesTheGameFolderAndCancels) {
    testsupport::RecordingPrompter prompter;
    testsupport::FakeDesktop desktop;
    ui::CSelectAccountDlg dialog({prompter, desktop}, {}, u"/games/World of Warcraft/");
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "在/games/World of Warcraft/目录上没有找到您的角色目录！\n"
                                         "请在RAID活动结束之后再上传DKP记录！");
    EXPECT_EQ(prompter.messages[0].caption, "操作提示");
    EXPECT_EQ(prompter.messages[0].icon, ui::MessageIcon::None);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(SelectAccount, ListsAccountsInOrderAndConfirmsTheSelectedOne) {
    testsupport::RecordingPrompter prompter;
    testsupport::FakeDesktop desktop;
    ui::CSelectAccountDlg dialog({prompter, desktop}, {u"ZED", u"ALPHA", u"中文账号"}, u"/g/");
    EXPECT_EQ(dialog.windowTitle(), "选择DKP记录账号");
    EXPECT_EQ(rows(dialog.accountList()), (QStringList{"ZED", "ALPHA", "中文账号"}));
    EXPECT_EQ(dialog.accountList()->currentRow(), 0);
    dialog.accountList()->setCurrentRow(2);
    clickNext(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosenAccount(), u"中文账号");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(SelectAccount, NothingSelectedAsksForAnAccountAndStaysOpen) {
    testsupport::RecordingPrompter prompter;
    testsupport::FakeDesktop desktop;
    ui::CSelectAccountDlg dialog({prompter, desktop}, {u"ONE"}, u"/g/");
    dialog.show();
    dialog.accountList()->clearSelection();
    clickNext(dialog);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "请选择您要上传的DKP记录的帐号！");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), dialog.accountList());
    EXPECT_TRUE(dialog.chosenAccount().empty());
}

class SelectRaid : public testing::Test {
protected:
    void add(const std::u16string& start, const std::u16string& zone) {
        owned.push_back(testsupport::RaidTable(start, zone).build());
        raids.push_back(owned.back().get());
    }
    std::vector<std::unique_ptr<dkp::Raid>> owned;
    std::vector<dkp::Raid*> raids;
    testsupport::RecordingPrompter prompter;
    testsupport::FakeDesktop desktop;
};

TEST_F(SelectRaid, NoRaidsSaysSoAndCancels) {
    ui::CSelectRaidDlg dialog({prompter, desktop}, raids);
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              "没有检测到您的RAID记录！请在RAID活动结束之后再上传DKP记录！");
    EXPECT_EQ(dialog.chosenRaid(), nullptr);
}

TEST_F(SelectRaid, ThreeRaidsInFileOrderAndConfirmingAtOnceGivesTheFirst) {
    add(u"03/01/08 20:00:00", u"Naxx");
    add(u"01/01/08 19:00:00", u"");
    add(u"02/01/08 21:30:00", u"Kara");
    ui::CSelectRaidDlg dialog({prompter, desktop}, raids);
    EXPECT_EQ(dialog.windowTitle(), "选择要上传的RAID活动记录");
    EXPECT_EQ(rows(dialog.raidList()), (QStringList{"08/03/01 20:00:00(Naxx)", "08/01/01 19:00:00",
                                                    "08/02/01 21:30:00(Kara)"}));
    EXPECT_EQ(dialog.chosenRaid(), nullptr);
    clickNext(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosenRaid(), raids[0]);
}

TEST_F(SelectRaid, IdenticalNamesAreChosenByPosition) {
    add(u"03/01/08 20:00:00", u"Naxx");
    add(u"03/01/08 20:00:00", u"Naxx");
    ui::CSelectRaidDlg dialog({prompter, desktop}, raids);
    EXPECT_EQ(dialog.raidList()->item(0)->text(), dialog.raidList()->item(1)->text());
    dialog.raidList()->setCurrentRow(1);
    clickNext(dialog);
    EXPECT_EQ(dialog.chosenIndex(), 1);
    EXPECT_EQ(dialog.chosenRaid(), raids[1]);
}

TEST_F(SelectRaid, NothingSelectedAsksForARaidAndStaysOpen) {
    add(u"03/01/08 20:00:00", u"Naxx");
    ui::CSelectRaidDlg dialog({prompter, desktop}, raids);
    dialog.show();
    dialog.raidList()->clearSelection();
    clickNext(dialog);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "请选择您要上传的RAID记录！");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.chosenRaid(), nullptr);
}

} // namespace
