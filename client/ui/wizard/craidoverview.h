#pragma once

#include <QWidget>

#include <vector>

class QLabel;

namespace dkp {
class Raid;
}

namespace ui {

class WebLink;

// The whole raid at a glance: its name, up to 20 boss kills as links, two summary lines and the
// counts of the review before upload.
class CRaidOverview : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBossLabels = 20;

    CRaidOverview(dkp::Raid* raid, const QString& itemSearchHost, QWidget* parent = nullptr);

private:
    void fill();

    dkp::Raid* raid_;
    QString itemSearchHost_;
    QLabel* title_;
    std::vector<WebLink*> bossLabels_;
    QLabel* kills_;
    QLabel* totals_;
    QLabel* review_;
};

} // namespace ui
