#pragma once

#include "ui/desktop_services.h"

#include <QDialog>

#include <vector>

class QListWidget;

namespace dkp {
class Raid;
}

namespace ui {

// Lets the user pick one of the raids found in the account's saved data; the wizard marks the
// raids uploaded before.
class CSelectRaidDlg : public QDialog {
    Q_OBJECT
public:
    // The raids stay owned by the caller's raid list.
    CSelectRaidDlg(const DesktopServices& services, const std::vector<dkp::Raid*>& raids,
                   QWidget* parent = nullptr);

    // Without raids this says so and ends as cancelled without showing the dialog.
    int exec() override;

    // Shows the raid at `position` as already uploaded: "已上传" after its name, and `detail`
    // (where and when) as its tip.
    void markUploaded(int position, const QString& detail);

    // The raid at the confirmed position, or nullptr before a confirmation.
    dkp::Raid* chosenRaid() const;
    int chosenIndex() const { return chosen_; }
    QListWidget* raidList() const { return list_; }

private:
    void confirm();

    Prompter& prompter_;
    const std::vector<dkp::Raid*>& raids_;
    int chosen_ = -1;
    QListWidget* list_;
};

} // namespace ui
