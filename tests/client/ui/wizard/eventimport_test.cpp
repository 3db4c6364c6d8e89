// The event upload dialog against stand-in services: checks, what is sent, the answers.
#include "testsupport/fake_account_service.h"
#include "testsupport/fake_desktop.h"
#include "testsupport/fake_upload_service.h"
#include "testsupport/modal_dialogs.h"
#include "testsupport/qstring_print.h"
#include "testsupport/raid_table.h"
#include "testsupport/temporary_folder.h"

#include "ui/wizard/ceditraiddlg.h"
#include "ui/wizard/ceventimportdlg.h"
#include "ui/wizard/ceventimportdlg_ids.h"
#include "ui/wizard/reviewtext.h"

#include "gamefiles/upload_marks.h"
#include "utilkit/encrypt.h"
#include "utilkit/ustring.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

namespace {

namespace parts = ui::eventimportdlgids;

const ui::CEventImportDlg::Addresses kAddresses{QStringLiteral("http://dkp.test"),
                                                QStringLiteral("http://items.test")};

class EventImport : public testing::Test {
protected:
    EventImport() {
        accounts.guilds = {{{{5, u"主DKP"}, {6, u"副DKP"}}, u"公会&1"}, {{{9, u"团本"}}, u"G2"}};
    }

    std::unique_ptr<ui::CEventImportDlg> open() {
        auto dialog = std::make_unique<ui::CEventImportDlg>(
            ui::DesktopServices{prompter, desktop}, raid.get(), &accounts, &uploads, kAddresses);
        dialog->show();
        return dialog;
    }
    template <typename Widget> static Widget* find(QWidget* dialog, const char* name) {
        return dialog->findChild<Widget*>(QString::fromLatin1(name));
    }
    static QLineEdit* name(QWidget* d) { return find<QLineEdit>(d, parts::EventName); }
    static QLineEdit* note(QWidget* d) { return find<QLineEdit>(d, parts::EventNote); }
    static QComboBox* guild(QWidget* d) { return find<QComboBox>(d, parts::GuildChoice); }
    static QComboBox* dkp(QWidget* d) { return find<QComboBox>(d, parts::DkpChoice); }
    static QPushButton* button(QWidget* d, const char* n) { return find<QPushButton>(d, n); }
    static QStringList items(QComboBox* box) {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }

    std::unique_ptr<dkp::Raid> raid =
        testsupport::RaidTable().member(u"甲").kill(u"Onyxia", 10, {u"甲"}).build();
    testsupport::FakeAccountService accounts;
    testsupport::FakeUploadService uploads;
    testsupport::RecordingPrompter prompter;
    testsupport::FakeDesktop desktop;
};

TEST_F(EventImport, OpensWithTheRaidNameAndTheFirstGuildsSystems) {
    auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), "上传RAID记录");
    EXPECT_EQ(name(dialog.get())->text(), "08/01/25 20:03:13(Hall)");
    EXPECT_EQ(items(guild(dialog.get())), (QStringList{"公会&1", "G2"}));
    EXPECT_EQ(items(dkp(dialog.get())), (QStringList{"主DKP", "副DKP"}));
    EXPECT_EQ(dkp(dialog.get())->currentIndex(), 0);
    EXPECT_EQ(uploads.listeners.size(), 1u);
    dialog.reset();
    EXPECT_TRUE(uploads.listeners.empty());
}

TEST_F(EventImport, ChangingTheGuildRefillsTheDkpChoice) {
    auto dialog = open();
    guild(dialog.get())->setCurrentIndex(1);
    EXPECT_EQ(items(dkp(dialog.get())), (QStringList{"团本"}));
    EXPECT_EQ(dkp(dialog.get())->currentIndex(), 0);
    guild(dialog.get())->setCurrentIndex(0);
    EXPECT_EQ(items(dkp(dialog.get())), (QStringList{"主DKP", "副DKP"}));
}

TEST_F(EventImport, EachMissingFieldIsReportedWithFocusOnIt) {
    accounts.guilds.clear();
    auto dialog = open();
    EXPECT_EQ(guild(dialog.get())->count(), 0);
    EXPECT_EQ(dkp(dialog.get())->count(), 0);

    name(dialog.get())->clear();
    button(dialog.get(), parts::UploadButton)->click();
    name(dialog.get())->setText("活动");
    button(dialog.get(), parts::UploadButton)->click();

    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].text, "请填写活动名称");
    EXPECT_EQ(prompter.messages[0].caption, "操作提示");
    EXPECT_EQ(prompter.messages[0].icon, ui::MessageIcon::Information);
    EXPECT_EQ(prompter.messages[1].text, "请选择本次活动所属的公会");
    EXPECT_EQ(dialog->focusWidget(), guild(dialog.get()));
    EXPECT_TRUE(uploads.sent.empty());
}

TEST_F(EventImport, AGuildWithoutDkpSystemsAsksForOne) {
    accounts.guilds = {{{}, u"Empty"}};
    auto dialog = open();
    button(dialog.get(), parts::UploadButton)->click();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "请选择本次活动所属的DKP");
    EXPECT_EQ(dialog->focusWidget(), dkp(dialog.get()));
    EXPECT_TRUE(uploads.sent.empty());
}

TEST_F(EventImport, AStaleDkpPositionIsADataErrorAndSendsNothing) {
    accounts.dkpLists[u"公会&1"] = {{5, u"主DKP"}};
    auto dialog = open();
    dkp(dialog.get())->setCurrentIndex(1);
    button(dialog.get(), parts::UploadButton)->click();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "数据异常，无法定位你所选择的DKP系统");
    EXPECT_TRUE(uploads.sent.empty());
    EXPECT_TRUE(button(dialog.get(), parts::UploadButton)->isEnabled());
}

TEST_F(EventImport, SendsTheFieldsAsTypedAndWaitsWithTheFormDisabled) {
    auto dialog = open();
    name(dialog.get())->setText("   ");
    note(dialog.get())->setText(" 备注 ");
    guild(dialog.get())->setCurrentIndex(1);
    button(dialog.get(), parts::UploadButton)->click();

    EXPECT_TRUE(prompter.messages.empty());
    ASSERT_EQ(uploads.sent.size(), 1u);
    EXPECT_EQ(uploads.sent[0].guildId, u"G2");
    EXPECT_EQ(uploads.sent[0].dkpSystemId, 9u);
    EXPECT_EQ(uploads.sent[0].name, u"   ");
    EXPECT_EQ(uploads.sent[0].note, u" 备注 ");
    EXPECT_EQ(uploads.sent[0].document, raid->exportDocument());
    EXPECT_FALSE(uploads.sent[0].document.empty());

    for (const char* control : {parts::EventName, parts::EventNote, parts::GuildChoice,
                                parts::DkpChoice, parts::UploadButton, parts::BackButton})
        EXPECT_FALSE(find<QWidget>(dialog.get(), control)->isEnabled()) << control;
    EXPECT_TRUE(button(dialog.get(), parts::CancelButton)->isEnabled());
    EXPECT_TRUE(dialog->isUploading());
}

TEST_F(EventImport, AFailedUploadKeepsTheFormForAnotherTry) {
    auto dialog = open();
    note(dialog.get())->setText("第一次");
    button(dialog.get(), parts::UploadButton)->click();
    uploads.answer(500, 0);

    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "上传数据失败，请稍后再重试，或联系DKP客服解决问题");
    EXPECT_EQ(prompter.messages[0].icon, ui::MessageIcon::Information);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(button(dialog.get(), parts::UploadButton)->isEnabled());
    EXPECT_EQ(note(dialog.get())->text(), "第一次");

    button(dialog.get(), parts::UploadButton)->click();
    ASSERT_EQ(uploads.sent.size(), 2u);
    EXPECT_EQ(uploads.sent[1].note, u"第一次");
    EXPECT_EQ(uploads.sent[1].dkpSystemId, 5u);
}

TEST_F(EventImport, WithoutAnUploadServiceEachTrySaysSoAndKeepsTheForm) {
    ui::CEventImportDlg dialog({prompter, desktop}, raid.get(), &accounts, nullptr, kAddresses);
    dialog.show();
    for (std::size_t attempt = 1; attempt <= 2; ++attempt) {
        button(&dialog, parts::UploadButton)->click();
        ASSERT_EQ(prompter.messages.size(), attempt);
        EXPECT_EQ(prompter.messages.back().text, "无法连接DKP服务，请稍后再试");
        EXPECT_EQ(prompter.messages.back().icon, ui::MessageIcon::Information);
        EXPECT_FALSE(dialog.isUploading());
        EXPECT_TRUE(button(&dialog, parts::UploadButton)->isEnabled());
        EXPECT_TRUE(name(&dialog)->isEnabled());
        EXPECT_TRUE(dialog.isVisible());
    }
}

TEST_F(EventImport, SuccessOffersTheEventPageWithTheGuildEncoded) {
    auto dialog = open();
    dkp(dialog.get())->setCurrentIndex(1);
    button(dialog.get(), parts::UploadButton)->click();
    prompter.answers.push_back(true);
    uploads.answer(200, 77);

    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0], "上传数据成功！如果你需要在网站上继续编辑本次活动，请点击"
                                     "\"是\"，否则请点击\"否\"。");
    ASSERT_EQ(desktop.openedUrls.size(), 1u);
    EXPECT_EQ(QString::fromStdU16String(desktop.openedUrls[0]),
              "http://dkp.test/event.do?method=event_info&eventid=77&dkpid=6"
              "&guildid=%E5%85%AC%E4%BC%9A%261");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(EventImport, SuccessAnsweredNoClosesWithoutOpeningAPage) {
    auto dialog = open();
    button(dialog.get(), parts::UploadButton)->click();
    uploads.answer(200, 78);
    EXPECT_EQ(prompter.questions.size(), 1u);
    EXPECT_TRUE(desktop.openedUrls.empty());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(EventImport, AnAnswerAfterCancellingIsIgnored) {
    auto dialog = open();
    button(dialog.get(), parts::UploadButton)->click();
    button(dialog.get(), parts::CancelButton)->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    dialog.reset();
    uploads.answer(200, 5);
    EXPECT_TRUE(prompter.questions.empty());
}

TEST_F(EventImport, StepBackShowsTheRaidWindowAndReturnsWithEverythingKept) {
    ui::CEventImportDlg dialog({prompter, desktop}, raid.get(), &accounts, &uploads, kAddresses);
    bool sawRaidWindow = false;
    QStringList afterReturn;
    testsupport::whenShown<ui::CEventImportDlg>([&](ui::CEventImportDlg* shown) {
        name(shown)->setText("周五团");
        note(shown)->setText("补记");
        guild(shown)->setCurrentIndex(1);
        testsupport::whenShown<ui::CEditRaidDlg>([&](ui::CEditRaidDlg* raidWindow) {
            sawRaidWindow = !dialog.isVisible();
            testsupport::whenShown<ui::CEventImportDlg>([&](ui::CEventImportDlg* again) {
                afterReturn << name(again)->text() << note(again)->text()
                            << guild(again)->currentText() << dkp(again)->currentText();
                button(again, parts::CancelButton)->click();
            });
            raidWindow->reject();
        });
        button(shown, parts::BackButton)->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_TRUE(sawRaidWindow);
    EXPECT_EQ(afterReturn, (QStringList{"周五团", "补记", "G2", "团本"}));
    EXPECT_TRUE(uploads.sent.empty());
}

TEST_F(EventImport, TheReviewIsListedAboveTheFormAndAnErrorNeedsUploadAnyway) {
    raid = testsupport::RaidTable()
               .member(u"甲")
               .kill(u"Onyxia", 10, {u"甲"})
               .loot(u"Helm", u"路人", 30, u"Onyxia")
               .build();
    const std::vector<dkp::ReviewFinding> findings = dkp::reviewRaid(*raid);
    auto dialog = open();
    auto* list = find<QListWidget>(dialog.get(), parts::ReviewFindings);
    auto* anyway = find<QCheckBox>(dialog.get(), parts::UploadAnyway);
    ASSERT_EQ(list->count(), static_cast<int>(findings.size()));
    EXPECT_EQ(list->item(0)->text(), ui::findingText(findings[0]));
    EXPECT_TRUE(list->item(0)->text().startsWith("错误：")) << "errors come first";
    EXPECT_FALSE(list->isHidden());
    EXPECT_FALSE(anyway->isHidden());
    EXPECT_EQ(anyway->text(), "仍然上传");
    EXPECT_EQ(find<QLabel>(dialog.get(), parts::ReviewSummary)->text(),
              ui::reviewSummary(dkp::countFindings(findings)));

    button(dialog.get(), parts::UploadButton)->click();
    EXPECT_TRUE(uploads.sent.empty());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.contains("仍然上传"));
    EXPECT_EQ(dialog->focusWidget(), anyway);

    anyway->setChecked(true);
    button(dialog.get(), parts::UploadButton)->click();
    EXPECT_EQ(uploads.sent.size(), 1u);
    EXPECT_FALSE(anyway->isEnabled()) << "the form waits for the answer";
}

TEST_F(EventImport, ARaidWithoutErrorsIsSentWithoutTheConfirmation) {
    ASSERT_EQ(dkp::countFindings(dkp::reviewRaid(*raid)).errors, 0);
    auto dialog = open();
    EXPECT_TRUE(find<QCheckBox>(dialog.get(), parts::UploadAnyway)->isHidden());
    button(dialog.get(), parts::UploadButton)->click();
    EXPECT_EQ(uploads.sent.size(), 1u);
    EXPECT_TRUE(prompter.messages.empty());
}

class EventImportMarks : public EventImport {
protected:
    std::unique_ptr<ui::CEventImportDlg>
    openMarked(const ui::CEventImportDlg::Addresses& addresses) {
        auto dialog = std::make_unique<ui::CEventImportDlg>(
            ui::DesktopServices{prompter, desktop}, raid.get(), &accounts, &uploads, addresses);
        dialog->setUploadMarks(&marks, u"ACCOUNT");
        dialog->show();
        return dialog;
    }
    void uploadAndAnswer(ui::CEventImportDlg& dialog, std::int32_t status, std::int32_t eventId) {
        button(&dialog, parts::UploadButton)->click();
        if (dialog.isUploading())
            uploads.answer(status, eventId);
    }

    testsupport::TemporaryFolder folder;
    gamefiles::UploadMarks marks{folder.folder()};
};

TEST_F(EventImportMarks, ASuccessfulUploadIsMarkedWithWhatWasSent) {
    const std::int64_t before = std::time(nullptr);
    uploadAndAnswer(*openMarked(kAddresses), 500, 0);
    uploadAndAnswer(*openMarked(kAddresses), 200, 41);
    const std::int64_t after = std::time(nullptr);
    ASSERT_EQ(uploads.sent.size(), 2u);

    gamefiles::UploadMarks reread(folder.folder());
    EXPECT_EQ(reread.load(), u"");
    ASSERT_EQ(reread.marks().size(), 1u) << "only the upload the site accepted";
    const gamefiles::UploadMark& mark = reread.marks()[0];
    EXPECT_EQ(mark.account, u"ACCOUNT");
    EXPECT_EQ(mark.raidStart, raid->getRaidLog().getRaidStartTime());
    EXPECT_EQ(mark.documentSha256, encrypt::SHA(ustring::toUtf8(uploads.sent[1].document)));
    EXPECT_EQ(mark.eventId, 41);
    EXPECT_EQ(mark.site, u"http://dkp.test");
    EXPECT_GE(mark.uploadedAt, before);
    EXPECT_LE(mark.uploadedAt, after);
}

TEST_F(EventImportMarks, TheSameDocumentToTheSameSiteGoesAgainOnlyAfterAYes) {
    uploadAndAnswer(*openMarked(kAddresses), 200, 41);
    ASSERT_EQ(uploads.sent.size(), 1u);
    prompter.questions.clear();

    auto dialog = openMarked(kAddresses);
    prompter.answers = {false};
    button(dialog.get(), parts::UploadButton)->click();
    EXPECT_EQ(uploads.sent.size(), 1u) << "declined: nothing sent";
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_TRUE(prompter.questions[0].contains("上传到http://dkp.test（活动ID 41）"))
        << prompter.questions[0].toStdString();
    EXPECT_TRUE(prompter.questions[0].contains("确定要再次上传吗"));
    EXPECT_FALSE(dialog->isUploading());
    EXPECT_TRUE(button(dialog.get(), parts::UploadButton)->isEnabled());

    prompter.answers = {true};
    uploadAndAnswer(*dialog, 200, 42);
    EXPECT_EQ(uploads.sent.size(), 2u);
    EXPECT_EQ(marks.marks().size(), 2u);
    EXPECT_EQ(prompter.questions.size(), 3u) << "asked, asked again, then the event page";

    // Another site has not seen it; another raid is another document.
    prompter.questions.clear();
    uploadAndAnswer(*openMarked({QStringLiteral("http://other.test"), kAddresses.itemSearch}), 200,
                    7);
    raid = testsupport::RaidTable().member(u"乙").build();
    uploadAndAnswer(*openMarked(kAddresses), 200, 43);
    EXPECT_EQ(uploads.sent.size(), 4u);
    EXPECT_EQ(prompter.questions.size(), 2u) << "only the two event page offers";
}

TEST_F(EventImportMarks, AMarkThatCannotBeWrittenIsReportedAfterTheUpload) {
    std::filesystem::create_directory(folder.path() / "uploads.json");
    uploadAndAnswer(*openMarked(kAddresses), 200, 41);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.contains("本次上传没有记下"));
    EXPECT_EQ(prompter.questions.size(), 1u) << "the event page is still offered";
}

} // namespace
