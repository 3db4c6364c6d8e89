#include "ui/wizard/ceditraiddlg.h"

#include "craidbossview.h"
#include "craidmobsview.h"
#include "craidoverview.h"
#include "ui/weblink.h"
#include "ui/wizard/ceditraiddlg_ids.h"
#include "ui/wizard/raidexport.h"

#include "raidsift.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

const QString kOverviewSection = QStringLiteral("总览");
const QString kMobsSection = QStringLiteral("小怪掉落");
constexpr int kViewInset = 10;

} // namespace

CEditRaidDlg::CEditRaidDlg(const DesktopServices& services, dkp::Raid* raid,
                           const QString& itemSearchHost, QWidget* parent)
    : QDialog(parent), prompter_(services.prompter), raid_(raid) {
    sections_ = new QListWidget(this);
    sections_->setObjectName(editraiddlgids::SectionList);
    sections_->setSelectionMode(QAbstractItemView::SingleSelection);
    sections_->setFixedWidth(180);

    overview_ = new CRaidOverview(raid, itemSearchHost, this);
    bossView_ = new CRaidBossView(itemSearchHost, this);
    mobsView_ = new CRaidMobsView(itemSearchHost, this);
    overview_->setObjectName(editraiddlgids::Overview);
    bossView_->setObjectName(editraiddlgids::BossView);
    mobsView_->setObjectName(editraiddlgids::MobsView);
    bossView_->hide();
    mobsView_->hide();

    auto* frame = new QVBoxLayout;
    frame->setContentsMargins(kViewInset, kViewInset, kViewInset, kViewInset);
    frame->addWidget(overview_);
    frame->addWidget(bossView_);
    frame->addWidget(mobsView_);

    auto* exportButton = new QPushButton(QStringLiteral("导出…"), this);
    exportButton->setObjectName(editraiddlgids::ExportButton);
    exportButton->setToolTip(
        QStringLiteral("把这次活动存为公会网站可导入的XML、出勤表或掉落表（CSV）或JSON文件"));
    exportButton->setEnabled(raid_ != nullptr);
    connect(exportButton, &QPushButton::clicked, this,
            [this] { exportRaidWithDialog(prompter_, this, *raid_); });
    auto* next = new QPushButton(QStringLiteral("下一步"), this);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    next->setObjectName(editraiddlgids::NextButton);
    cancel->setObjectName(editraiddlgids::CancelButton);
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(exportButton);
    buttons->addStretch();
    buttons->addWidget(next);
    buttons->addWidget(cancel);

    auto* body = new QHBoxLayout;
    body->addWidget(sections_);
    body->addLayout(frame, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    resize(720, 440);

    QString title = QStringLiteral("编辑RAID活动");
    const std::u16string name = raid_ ? raid_->getRaidName() : std::u16string();
    if (!name.empty())
        title += QStringLiteral("-") + QString::fromStdU16String(name);
    setWindowTitle(title);

    connect(sections_, &QListWidget::currentRowChanged, this, &CEditRaidDlg::showSection);
    fillSections();
    openLinksWith(this, services.desktop);
}

void CEditRaidDlg::fillSections() {
    sections_->addItem(kOverviewSection);
    if (raid_) {
        for (const auto& kill : raid_->getBossKills().getBossKills())
            sections_->addItem(QString::fromStdU16String(kill.name));
    }
    sections_->addItem(kMobsSection);
    sections_->setCurrentRow(0);
}

void CEditRaidDlg::showSection(int row) {
    if (row < 0)
        return;
    const bool first = row == 0;
    const bool last = row == sections_->count() - 1;
    overview_->setVisible(first);
    mobsView_->setVisible(last && !first);
    bossView_->setVisible(!first && !last);
    if (!raid_ || first)
        return;
    if (last) {
        dkp::Loots loots;
        raid_->getMobsLoot(loots);
        mobsView_->setLoots(loots);
        mobsView_->refresh();
        return;
    }
    const std::u16string boss = sections_->item(row)->text().toStdU16String();
    dkp::Loots loots;
    raid_->getBossLoot(boss, loots);
    bossView_->setBossKill(raid_->getBossKill(boss), loots);
    bossView_->refresh();
}

} // namespace ui
