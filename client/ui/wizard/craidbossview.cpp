#include "craidbossview.h"

#include "itemlinks.h"
#include "ui/wizard/craidbossview_ids.h"
#include "unitgrid.h"

#include <QLabel>
#include <QVBoxLayout>

namespace ui {

namespace {

using namespace raidbossviewids;

static_assert(LastAttendee - FirstAttendee + 1 == CRaidBossView::kAttendeeTexts);
static_assert(LastItemLink - FirstItemLink + 1 == CRaidBossView::kItemLabels);

constexpr int kAttendeeColumns = 5;
constexpr int kItemColumns = 2;

QString pointValue(int dkp) {
    return QString::number(dkp, 'f', 2);
}

} // namespace

CRaidBossView::CRaidBossView(const QString& itemSearchHost, QWidget* parent)
    : QWidget(parent), itemSearchHost_(itemSearchHost) {
    auto* layout = new QVBoxLayout(this);
    heading_ = makeUnit<QLabel>(this, Heading);
    layout->addWidget(heading_);
    attendees_ = addUnitGrid<QLabel>(this, layout, FirstAttendee, kAttendeeTexts, kAttendeeColumns);

    auto* caption = makeUnit<QLabel>(this, ItemCaption);
    caption->setText(QStringLiteral("掉落物品："));
    layout->addWidget(caption);
    items_ = addItemLinks(this, layout, FirstItemLink, kItemLabels, kItemColumns);
    layout->addStretch();
    refresh();
}

void CRaidBossView::setBossKill(const dkp::BossKill& kill, const dkp::Loots& loots) {
    kill_ = kill;
    loots_ = loots;
}

void CRaidBossView::refresh() {
    const QString boss = QString::fromStdU16String(kill_.name);
    if (kill_.attendees.empty()) {
        heading_->setText(QStringLiteral("%1, BOSS分值 %2分").arg(boss, pointValue(kill_.dkp)));
    } else {
        heading_->setText(QStringLiteral("%1, 参与战斗人员 %2 人，BOSS分值 %3分")
                              .arg(boss)
                              .arg(kill_.attendees.size())
                              .arg(pointValue(kill_.dkp)));
    }

    for (auto* text : attendees_)
        text->hide();

    for (std::size_t i = 0; i < kill_.attendees.size() && i < attendees_.size(); ++i) {
        attendees_[i]->setText(attendeeText(kill_.attendees[i]));
        attendees_[i]->show();
    }
    showItemLinks(items_, loots_, itemSearchHost_);
}

QString CRaidBossView::attendeeText(const std::u16string& name) const {
    int paid = 0;
    for (const auto& loot : loots_) {
        if (loot.player == name)
            paid += loot.costs;
    }
    QString text = QString::fromStdU16String(name);
    if (paid != 0)
        text += QStringLiteral("(-%1)").arg(paid);
    return text;
}

} // namespace ui
