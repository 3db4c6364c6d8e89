#include "craidoverview.h"

#include "clinklabel.h"
#include "itemsearchaddress.h"
#include "reviewtext.h"
#include "units.h"

#include "raidsift.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <cstdint>

namespace {

constexpr int kTitleUnit = 30010;
constexpr int kFirstBossUnit = 30011;
constexpr int kFirstSummaryUnit = 30041;
constexpr int kCaptionUnit = 30045;
constexpr int kBossColumns = 2;

} // namespace

CRaidOverview::CRaidOverview(dkp::Raid* raid, const QString& itemSearchHost, QWidget* parent)
    : QWidget(parent), raid_(raid), itemSearchHost_(itemSearchHost) {
    auto* layout = new QVBoxLayout(this);
    title_ = makeUnit<QLabel>(this, kTitleUnit);
    auto* caption = makeUnit<QLabel>(this, kCaptionUnit);
    caption->setText(QStringLiteral("本次活动击杀BOSS如下："));
    layout->addWidget(title_);
    layout->addWidget(caption);

    auto* bosses = new QGridLayout;
    for (int i = 0; i < kBossLabels; ++i) {
        auto* label = makeUnit<CLinkLabel>(this, kFirstBossUnit + i);
        bosses->addWidget(label, i / kBossColumns, i % kBossColumns);
        bossLabels_.push_back(label);
    }
    layout->addLayout(bosses);

    std::vector<QLabel*> summaries;
    for (int i = 0; i < 4; ++i) {
        summaries.push_back(makeUnit<QLabel>(this, kFirstSummaryUnit + i));
        layout->addWidget(summaries.back());
    }
    kills_ = summaries[0];
    totals_ = summaries[1];
    review_ = summaries[2];
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
