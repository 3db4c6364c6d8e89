// The raid window and its three views, filled from analysed raids.
#include "testsupport/fake_desktop.h"
#include "testsupport/modal_dialogs.h"
#include "testsupport/qstring_print.h"
#include "testsupport/raid_table.h"
#include "testsupport/temporary_folder.h"

#include "ui/unitnames.h"
#include "ui/weblink.h"
#include "ui/wizard/ceditraiddlg.h"
#include "ui/wizard/ceditraiddlg_ids.h"
#include "ui/wizard/craidbossview_ids.h"
#include "ui/wizard/craidmobsview_ids.h"
#include "ui/wizard/craidoverview_ids.h"
#include "ui/wizard/raidexport.h"

#include "utilkit/ufile.h"

#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

namespace overview = ui::raidoverviewids;
namespace bossview = ui::raidbossviewids;
namespace mobsview = ui::raidmobsviewids;

const QString kItemHost = QStringLiteral("http://items.test");

class RaidWindow {
public:
    explicit RaidWindow(const testsupport::RaidTable& table)
        : raid_(table.build()), dialog_({prompter_, desktop_}, raid_.get(), kItemHost) {}

    ui::CEditRaidDlg& dialog() { return dialog_; }
    testsupport::RecordingPrompter& prompter() { return prompter_; }
    testsupport::FakeDesktop& desktop() { return desktop_; }

    QStringList sections() {
        QStringList texts;
        for (int row = 0; row < dialog_.sectionList()->count(); ++row)
            texts << dialog_.sectionList()->item(row)->text();
        return texts;
    }
    void select(int row) { dialog_.sectionList()->setCurrentRow(row); }

    QLabel* unit(int number) { return dialog_.findChild<QLabel*>(ui::unitName(number)); }
    ui::WebLink* link(int number) { return dialog_.findChild<ui::WebLink*>(ui::unitName(number)); }
    // The texts of the units first..last that are not hidden, in unit order.
    QStringList shownTexts(int first, int last) {
        QStringList texts;
        for (int number = first; number <= last; ++number) {
            if (!unit(number)->isHidden())
                texts << unit(number)->text();
        }
        return texts;
    }
    bool viewShown(const char* name) {
        return !dialog_.findChild<QWidget*>(QString::fromLatin1(name))->isHidden();
    }

private:
    testsupport::RecordingPrompter prompter_;
    testsupport::FakeDesktop desktop_;
    std::unique_ptr<dkp::Raid> raid_;
    ui::CEditRaidDlg dialog_;
};

TEST(RaidWindow, RaidWithoutKillsListsOnlyOverviewAndTrashMobs) {
    RaidWindow window(testsupport::RaidTable().member(u"甲"));
    EXPECT_EQ(window.sections(), (QStringList{"总览", "小怪掉落"}));
    EXPECT_EQ(window.dialog().windowTitle(), "编辑RAID活动-08/01/25 20:03:13(Hall)");
    EXPECT_EQ(window.dialog().sectionList()->currentRow(), 0);
    EXPECT_TRUE(window.viewShown(ui::editraiddlgids::Overview));
    EXPECT_TRUE(window.shownTexts(overview::FirstBossLink, overview::LastBossLink).isEmpty());
    EXPECT_EQ(window.unit(overview::KillsSummary)->text(),
              "本次活动共击杀 0 个BOSS，获得有DKP价值装备 0 个");
    EXPECT_EQ(window.unit(overview::TotalsSummary)->text(),
              "本次活动参加人数 1 人，共消费 0 DKP，获取 0 DKP");
}

TEST(RaidWindow, TitleWithoutRaidNameHasNoDash) {
    // A four-digit year lands beyond the calendar: the raid has no name.
    RaidWindow window(testsupport::RaidTable(u"01/25/2008 20:03:13", u""));
    EXPECT_EQ(window.dialog().windowTitle(), "编辑RAID活动");
}

TEST(RaidWindow, OverviewListsKillsWithPointsAndSummarises) {
    RaidWindow window(testsupport::RaidTable()
                          .member(u"甲")
                          .member(u"乙")
                          .kill(u"Lucifron", 10, {u"甲", u"乙"})
                          .kill(u"Magmadar", 0)
                          .loot(u"Helm", u"甲", 30, u"Lucifron")
                          .loot(u"Cloth", u"乙", 0, u"Lucifron"));
    EXPECT_EQ(window.sections(), (QStringList{"总览", "Lucifron", "Magmadar", "小怪掉落"}));
    EXPECT_EQ(window.shownTexts(overview::FirstBossLink, overview::LastBossLink),
              (QStringList{"Lucifron(10)", "Magmadar(0)"}));
    EXPECT_EQ(window.link(overview::FirstBossLink)->address(), kItemHost + "/wow/s.php?n=Lucifron");
    EXPECT_EQ(window.unit(overview::KillsSummary)->text(),
              "本次活动共击杀 2 个BOSS，获得有DKP价值装备 1 个");
    EXPECT_EQ(window.unit(overview::TotalsSummary)->text(),
              "本次活动参加人数 2 人，共消费 30 DKP，获取 20 DKP");
    EXPECT_TRUE(window.unit(overview::ReviewSummary)->text().startsWith("上传前检查："));
    EXPECT_EQ(window.unit(overview::Caption)->text(), "本次活动击杀BOSS如下：");
}

TEST(RaidWindow, SwitchingBossesLeavesOnlyTheNewAttendeesVisible) {
    RaidWindow window(testsupport::RaidTable()
                          .kill(u"Big", 5, testsupport::numberedNames(u"p", 35))
                          .kill(u"Small", 5, testsupport::numberedNames(u"q", 5)));
    window.select(1);
    EXPECT_TRUE(window.viewShown(ui::editraiddlgids::BossView));
    EXPECT_FALSE(window.viewShown(ui::editraiddlgids::Overview));
    EXPECT_EQ(window.shownTexts(bossview::FirstAttendee, bossview::LastAttendee).size(), 35);
    window.select(2);
    EXPECT_EQ(window.shownTexts(bossview::FirstAttendee, bossview::LastAttendee),
              (QStringList{"q1", "q2", "q3", "q4", "q5"}));
    window.select(0);
    EXPECT_TRUE(window.viewShown(ui::editraiddlgids::Overview));
    EXPECT_FALSE(window.viewShown(ui::editraiddlgids::BossView));
}

TEST(RaidWindow, BossViewShowsWhatEachAttendeePaidForThisBoss) {
    RaidWindow window(testsupport::RaidTable()
                          .kill(u"Onyxia", 10, {u"甲", u"乙", u"丙"})
                          .kill(u"Ragnaros", 7)
                          .loot(u"Helm", u"甲", 30, u"Onyxia")
                          .loot(u"Ring", u"甲", 20, u"Onyxia")
                          .loot(u"Cloth", u"乙", 0, u"Onyxia")
                          .loot(u"Cape", u"丙", 15, u"Ragnaros"));
    window.select(1);
    EXPECT_EQ(window.unit(bossview::Heading)->text(),
              "Onyxia, 参与战斗人员 3 人，BOSS分值 10.00分");
    EXPECT_EQ(window.shownTexts(bossview::FirstAttendee, bossview::LastAttendee),
              (QStringList{"甲(-50)", "乙", "丙"}));
    EXPECT_EQ(window.shownTexts(bossview::FirstItemLink, bossview::LastItemLink),
              (QStringList{"Helm(30)", "Ring(20)", "Cloth(0)"}));
    EXPECT_EQ(window.unit(bossview::ItemCaption)->text(), "掉落物品：");

    window.select(2);
    EXPECT_EQ(window.unit(bossview::Heading)->text(), "Ragnaros, BOSS分值 7.00分");
    EXPECT_TRUE(window.shownTexts(bossview::FirstAttendee, bossview::LastAttendee).isEmpty());
    EXPECT_EQ(window.shownTexts(bossview::FirstItemLink, bossview::LastItemLink),
              (QStringList{"Cape(15)"}));
}

TEST(RaidWindow, ABossKilledTwiceShowsItsFirstKillWithTheLootOfBoth) {
    RaidWindow window(testsupport::RaidTable()
                          .kill(u"Twin", 3, {u"甲"})
                          .kill(u"Twin", 9, {u"乙", u"丙"})
                          .loot(u"Helm", u"乙", 4, u"Twin")
                          .loot(u"Ring", u"甲", 6, u"Twin"));
    window.select(2);
    EXPECT_EQ(window.unit(bossview::Heading)->text(), "Twin, 参与战斗人员 1 人，BOSS分值 3.00分");
    EXPECT_EQ(window.shownTexts(bossview::FirstAttendee, bossview::LastAttendee),
              (QStringList{"甲(-6)"}));
    EXPECT_EQ(window.shownTexts(bossview::FirstItemLink, bossview::LastItemLink),
              (QStringList{"Helm(4)", "Ring(6)"}));
}

TEST(RaidWindow, ListsLongerThanTheUnitsAreCut) {
    testsupport::RaidTable table;
    for (const auto& boss : testsupport::numberedNames(u"Boss", 21))
        table.kill(boss, 1,
                   boss == u"Boss1" ? testsupport::numberedNames(u"p", 41)
                                    : std::vector<std::u16string>{});
    for (const auto& item : testsupport::numberedNames(u"Item", 13))
        table.loot(item, u"p1", 1, u"Boss1");
    for (const auto& item : testsupport::numberedNames(u"Trash", 40))
        table.loot(item, u"p2", 2, u"小怪掉落");
    RaidWindow window(table);

    const QStringList bosses = window.shownTexts(overview::FirstBossLink, overview::LastBossLink);
    EXPECT_EQ(bosses.size(), 20);
    EXPECT_EQ(bosses.back(), "Boss20(1)");
    EXPECT_EQ(window.sections().size(), 23);

    window.select(1);
    const QStringList attendees =
        window.shownTexts(bossview::FirstAttendee, bossview::LastAttendee);
    EXPECT_EQ(attendees.size(), 40);
    EXPECT_EQ(attendees.back(), "p40");
    EXPECT_EQ(attendees.front(), "p1(-13)");
    const QStringList items = window.shownTexts(bossview::FirstItemLink, bossview::LastItemLink);
    EXPECT_EQ(items.size(), 12);
    EXPECT_EQ(items.back(), "Item12(1)");

    window.select(22);
    EXPECT_TRUE(window.viewShown(ui::editraiddlgids::MobsView));
    const QStringList trash = window.shownTexts(mobsview::FirstItemLink, mobsview::LastItemLink);
    EXPECT_EQ(trash.size(), 39);
    EXPECT_EQ(trash.back(), "Trash39(2)");
    EXPECT_EQ(window.unit(mobsview::Caption)->text(), "小怪掉落");
}

TEST(RaidWindow, NonAsciiNamesLinkWithTheirUtf8BytesPercentEncoded) {
    RaidWindow window(testsupport::RaidTable()
                          .kill(u"奥妮克希亚", 10)
                          .loot(u"雷霆之怒 (左)", u"甲", 0, u"小怪掉落"));
    window.select(2);
    ui::WebLink* item = window.link(mobsview::FirstItemLink);
    EXPECT_EQ(item->text(), "雷霆之怒 (左)(0)");
    const QString address =
        kItemHost + "/wow/s.php?n=%E9%9B%B7%E9%9C%86%E4%B9%8B%E6%80%92%20%28%E5%B7%A6%29";
    EXPECT_EQ(item->address(), address);
    item->activate();
    const testsupport::FakeDesktop& desktop = window.desktop();
    ASSERT_EQ(desktop.openedUrls.size(), 1u);
    EXPECT_EQ(QString::fromStdU16String(desktop.openedUrls[0]), address);
    EXPECT_TRUE(window.link(overview::FirstBossLink)
                    ->address()
                    .startsWith(kItemHost + "/wow/s.php?n=%E5%A5%A5"));
}

TEST(RaidWindow, ButtonsConfirmOrCancel) {
    RaidWindow window{testsupport::RaidTable()};
    window.dialog().findChild<QPushButton*>(ui::editraiddlgids::NextButton)->click();
    EXPECT_EQ(window.dialog().result(), QDialog::Accepted);
    RaidWindow other{testsupport::RaidTable()};
    other.dialog().findChild<QPushButton*>(ui::editraiddlgids::CancelButton)->click();
    EXPECT_EQ(other.dialog().result(), QDialog::Rejected);
}

TEST(RaidWindow, OverviewCountsWhatTheReviewFound) {
    const testsupport::RaidTable table = testsupport::RaidTable()
                                             .member(u"甲")
                                             .kill(u"Lucifron", 10, {u"甲"})
                                             .loot(u"Helm", u"路人", 30, u"Lucifron");
    RaidWindow window(table);
    const std::unique_ptr<dkp::Raid> raid = table.build();
    const dkp::ReviewCounts counts = dkp::countFindings(dkp::reviewRaid(*raid));
    ASSERT_GE(counts.errors, 1) << "loot to someone never in the raid";
    EXPECT_EQ(window.unit(overview::ReviewSummary)->text(),
              QStringLiteral("上传前检查：%1 个错误，%2 个警告，%3 个提示")
                  .arg(counts.errors)
                  .arg(counts.warnings)
                  .arg(counts.infos));
}

class RaidWindowExport : public testing::Test {
protected:
    // Clicks "导出…" and answers the save dialog with the filter starting with `filter` and the
    // file `name` in the folder; an empty name cancels. `beforeSaving` runs just before the
    // dialog's save.
    void exportAs(const QString& filter, const QString& name,
                  const std::function<void()>& beforeSaving = {}) {
        int dialogs = 0;
        testsupport::whenShown<QFileDialog>([&](QFileDialog* dialog) {
            ++dialogs;
            if (name.isEmpty()) {
                dialog->reject();
                return;
            }
            for (const QString& offered : dialog->nameFilters())
                if (offered.startsWith(filter))
                    dialog->selectNameFilter(offered);
            dialog->selectFile(QString::fromStdU16String(folder.folder()) + name);
            if (beforeSaving)
                beforeSaving();
            static_cast<QDialog*>(dialog)->accept(); // as the dialog's save button does
        });
        window.dialog().findChild<QPushButton*>(ui::editraiddlgids::ExportButton)->click();
        EXPECT_EQ(dialogs, 1);
    }
    std::string written(const char* name) {
        std::string bytes;
        EXPECT_TRUE(ufile::ReadFileData(folder.folder() + ufile::fromNativePath(name), bytes))
            << name;
        return bytes;
    }

    testsupport::RaidTable table = testsupport::RaidTable()
                                       .member(u"甲")
                                       .member(u"乙, \"丙\"")
                                       .kill(u"Lucifron", 10, {u"甲"})
                                       .loot(u"Helm <&>", u"甲", 30, u"Lucifron");
    std::unique_ptr<dkp::Raid> raid = table.build();
    RaidWindow window{table};
    testsupport::TemporaryFolder folder;
    testsupport::RecordingPrompter& prompter = window.prompter();
};

TEST_F(RaidWindowExport, EachFormOfTheDialogWritesTheAnalysersDocument) {
    const struct {
        QString filter;
        const char* name;
        const char* file; // as written: the form's suffix is added when none is given
        dkp::ExportFormat format;
    } forms[] = {
        {"公会网站RAID记录", "raid.xml", "raid.xml", dkp::ExportFormat::EqdkpXml},
        {"出勤表", "attendance", "attendance.csv", dkp::ExportFormat::CsvAttendance},
        {"掉落表", "loot.csv", "loot.csv", dkp::ExportFormat::CsvLoot},
        {"JSON", "raid", "raid.json", dkp::ExportFormat::Json},
    };
    for (const auto& form : forms) {
        SCOPED_TRACE(form.name);
        exportAs(form.filter, QString::fromLatin1(form.name));
        EXPECT_EQ(written(form.file),
                  dkp::exportRaids({raid.get()}, form.format, ui::raidExportOptions()));
    }
    EXPECT_TRUE(written("raid.xml").find("<raidlog>") != std::string::npos);
    EXPECT_TRUE(prompter.messages.empty());

    // A name without suffix that becomes an existing file is replaced only after a Yes.
    ufile::WriteFileData(folder.folder() + u"raid.json", "kept");
    exportAs("JSON", "raid");
    EXPECT_EQ(written("raid.json"), "kept");
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_TRUE(prompter.questions[0].contains("raid.json"));
}

TEST_F(RaidWindowExport, CancellingWritesNothing) {
    exportAs("JSON", QString());
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(RaidWindowExport, AFileThatCannotBeWrittenIsReported) {
    // The folder chosen in the dialog is gone when the file is written.
    std::filesystem::create_directory(folder.path() / "gone");
    exportAs("JSON", "gone/raid.json",
             [this] { std::filesystem::remove_all(folder.path() / "gone"); });
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "gone"));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.contains("gone/raid.json"));
    EXPECT_TRUE(prompter.messages[0].text.contains("没有导出"));
}

} // namespace
