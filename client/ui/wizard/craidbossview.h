#pragma once

#include "raidsift.h"

#include <QWidget>

#include <vector>

class QLabel;

namespace ui {

class WebLink;

// One boss kill: its heading, up to 40 attendees with what each paid for this boss's loot,
// and up to 12 of its items as links.
class CRaidBossView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kAttendeeTexts = 40;
    static constexpr int kItemLabels = 12;

    explicit CRaidBossView(const QString& itemSearchHost, QWidget* parent = nullptr);

    void setBossKill(const dkp::BossKill& kill, const dkp::Loots& loots);
    void refresh();

private:
    QString attendeeText(const std::u16string& name) const;

    QString itemSearchHost_;
    dkp::BossKill kill_;
    dkp::Loots loots_;
    QLabel* heading_;
    std::vector<QLabel*> attendees_;
    std::vector<WebLink*> items_;
};

} // namespace ui
