#include "craidmobsview.h"

#include "itemlinks.h"
#include "units.h"

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
    items_ = addItemLinks(this, layout, kFirstItemUnit, kItemLabels, kItemColumns);
    layout->addStretch();
    refresh();
}

void CRaidMobsView::setLoots(const dkp::Loots& loots) {
    loots_ = loots;
}

void CRaidMobsView::refresh() {
    showItemLinks(items_, loots_, itemSearchHost_);
}
