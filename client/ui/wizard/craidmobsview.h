#pragma once

#include "raidsift.h"

#include <QWidget>

#include <vector>

namespace ui {

class WebLink;

// The loot that trash mobs dropped: up to 39 items as links.
class CRaidMobsView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kItemLabels = 39;

    explicit CRaidMobsView(const QString& itemSearchHost, QWidget* parent = nullptr);

    void setLoots(const dkp::Loots& loots);
    void refresh();

private:
    QString itemSearchHost_;
    dkp::Loots loots_;
    std::vector<WebLink*> items_;
};

} // namespace ui
