#include "craidoverview.h"

#include "itemlinks.h"
#include "itemsearchaddress.h"
#include "ui/wizard/craidoverview_ids.h"
#include "ui/wizard/reviewtext.h"
#include "unitgrid.h"

#include "raidsift.h"
#include "ui/weblink.h"

#include <QLabel>
#include <QVBoxLayout>

#include <cstdint>

namespace ui {

namespace {

using namespace raidoverviewids;

static_assert(LastBossLink - FirstBossLink + 1 == CRaidOverview::kBossLabels);

constexpr int kBossColumns = 2;

} // namespace

CRaidOverview::CRaidOverview(dkp::Raid* raid, const QString& itemSearchHost, QWidget* parent)
    : QWidget(parent), raid_(raid), itemSearchHost_(itemSearchHost) {
    auto* layout = new QVBoxLayout(this);
    title_ = makeUnit<QLabel>(this, Title);
    auto* caption = makeUnit<QLabel>(this, Caption);
    caption->setText(QStringLiteral("本次活动击杀BOSS如下："));
    layout->addWidget(title_);
    layout->addWidget(caption);

    bossLabels_ = addUnitGrid<WebLink>(this, layout, FirstBossLink, kBossLabels, kBossColumns);

    kills_ = makeUnit<QLabel>(this, KillsSummary);
    totals_ = makeUnit<QLabel>(this, TotalsSummary);
    review_ = makeUnit<QLabel>(this, ReviewSummary);
    for (QLabel* summary : {kills_, totals_, review_, makeUnit<QLabel>(this, SpareSummary)})
        layout->addWidget(summary);
    layout->addStretch();
    fill();
}

void CRaidOverview::fill() {
    for (auto* label : bossLabels_)
        label->hide();
    if (!raid_)
        return;
    title_->setText(QString::fromStdU16String(raid_->getRaidName()));

    const auto& kills = raid_->getBossKills().getBossKills();
    for (std::size_t i = 0; i < kills.size() && i < bossLabels_.size(); ++i) {
        const auto& kill = kills[i];
        bossLabels_[i]->setLink(nameWithCost(kill.name, kill.dkp),
                                itemSearchAddress(itemSearchHost_, kill.name));
        bossLabels_[i]->show();
    }

    int valuedLoots = 0;
    for (const auto& loot : raid_->getLoots()) {
        if (loot.costs != 0)
            ++valuedLoots;
    }
    kills_->setText(QStringLiteral("本次活动共击杀 %1 个BOSS，获得有DKP价值装备 %2 个")
                        .arg(kills.size())
                        .arg(valuedLoots));
    // The totals are unsigned sums that wrap; they read as signed numbers, as negative costs
    // can make the spent total fall below zero.
    totals_->setText(QStringLiteral("本次活动参加人数 %1 人，共消费 %2 DKP，获取 %3 DKP")
                         .arg(raid_->getMembers().size())
                         .arg(static_cast<std::int32_t>(raid_->getTotalConsume()))
                         .arg(static_cast<std::int32_t>(raid_->getTotalObtain())));
    const dkp::ReviewCounts counts = dkp::countFindings(dkp::reviewRaid(*raid_));
    review_->setText(reviewSummary(counts));
    if (counts.errors > 0)
        review_->setStyleSheet(QStringLiteral("color: red;"));
}

} // namespace ui
