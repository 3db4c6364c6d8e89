#include "craidmobsview.h"

#include "itemlinks.h"
#include "ui/unitnames.h"
#include "ui/wizard/craidmobsview_ids.h"

#include <QLabel>
#include <QVBoxLayout>

namespace ui {

namespace {

using namespace raidmobsviewids;

static_assert(LastItemLink - FirstItemLink + 1 == CRaidMobsView::kItemLabels);

constexpr int kItemColumns = 3;

} // namespace

CRaidMobsView::CRaidMobsView(const QString& itemSearchHost, QWidget* parent)
    : QWidget(parent), itemSearchHost_(itemSearchHost) {
    auto* layout = new QVBoxLayout(this);
    auto* caption = makeUnit<QLabel>(this, Caption);
    caption->setText(QStringLiteral("小怪掉落"));
    layout->addWidget(caption);
    items_ = addItemLinks(this, layout, FirstItemLink, kItemLabels, kItemColumns);
    layout->addStretch();
    refresh();
}

void CRaidMobsView::setLoots(const dkp::Loots& loots) {
    loots_ = loots;
}

void CRaidMobsView::refresh() {
    showItemLinks(items_, loots_, itemSearchHost_);
}

} // namespace ui
