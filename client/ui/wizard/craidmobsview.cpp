#include "craidmobsview.h"

#include "clinklabel.h"
#include "itemsearchaddress.h"
#include "units.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int kCaptionUnit = 50010;
constexpr int kFirstItemUnit = 50011;
constexpr int kItemColumns = 3;

} // namespace

CRaidMobsView::CRaidMobsView(const QString& itemSearchHost, QWidget* parent)
    : QWidget(parent), itemSearchHost_(itemSearchHost) {
    auto* layout = new QVBoxLayout(this);
    auto* caption = makeUnit<QLabel>(this, kCaptionUnit);
    caption->setText(QStringLiteral("小怪掉落"));
    layout->addWidget(caption);
    auto* items = new QGridLayout;
    for (int i = 0; i < kItemLabels; ++i) {
        auto* label = makeUnit<CLinkLabel>(this, kFirstItemUnit + i);
        items->addWidget(label, i / kItemColumns, i % kItemColumns);
        items_.push_back(label);
    }
    layout->addLayout(items);
    layout->addStretch();
    refresh();
}

void CRaidMobsView::setLoots(const dkp::Loots& loots) {
    loots_ = loots;
}

void CRaidMobsView::refresh() {
    for (auto* label : items_)
        label->hide();
    std::size_t shown = 0;
    for (const auto& loot : loots_) {
        if (shown == items_.size())
            break;
        items_[shown]->setLink(nameWithCost(loot.name, loot.costs),
                               itemSearchAddress(itemSearchHost_, loot.name));
        items_[shown]->show();
        ++shown;
    }
}
