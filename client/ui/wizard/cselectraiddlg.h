#pragma once

#include <QDialog>

#include <vector>

class QListWidget;

namespace dkp {
class Raid;
}

// Lets the user pick one of the raids found in the account's saved data.
class CSelectRaidDlg : public QDialog {
    Q_OBJECT
public:
    // The raids stay owned by the caller's raid list.
    explicit CSelectRaidDlg(const std::vector<dkp::Raid*>& raids, QWidget* parent = nullptr);

    // Without raids this says so and ends as cancelled without showing the dialog.
    int exec() override;

    // The raid at the confirmed position, or nullptr before a confirmation.
    dkp::Raid* chosenRaid() const;
    int chosenIndex() const { return chosen_; }
    QListWidget* raidList() const { return list_; }

private:
    void confirm();

    const std::vector<dkp::Raid*>& raids_;
    int chosen_ = -1;
    QListWidget* list_;
};
