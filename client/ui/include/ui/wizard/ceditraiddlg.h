#pragma once

#include "ui/desktop_services.h"

#include <QDialog>

class QListWidget;

namespace dkp {
class Raid;
}

namespace ui {

class CRaidBossView;
class CRaidMobsView;
class CRaidOverview;

// The raid window: a list of the raid's sections on the left ("总览", each boss kill,
// "小怪掉落") and the view of the selected section on the right. "导出…" saves the raid in
// another program's form; "下一步" accepts, "取消" rejects.
class CEditRaidDlg : public QDialog {
    Q_OBJECT
public:
    CEditRaidDlg(const DesktopServices& services, dkp::Raid* raid, const QString& itemSearchHost,
                 QWidget* parent = nullptr);

    QListWidget* sectionList() const { return sections_; }

private:
    void fillSections();
    void showSection(int row);

    Prompter& prompter_;
    dkp::Raid* raid_;
    QListWidget* sections_;
    CRaidOverview* overview_;
    CRaidBossView* bossView_;
    CRaidMobsView* mobsView_;
};

} // namespace ui
