#pragma once

#include "ui/desktop_services.h"

#include <QDialog>

#include <string>
#include <vector>

class QListWidget;

namespace ui {

// Lets the user pick the game account whose raid records are to be uploaded.
class CSelectAccountDlg : public QDialog {
    Q_OBJECT
public:
    // `accounts` in the order the game files list them; `gameFolder` names the installation in
    // the message shown when there are none.
    CSelectAccountDlg(const DesktopServices& services, const std::vector<std::u16string>& accounts,
                      const std::u16string& gameFolder, QWidget* parent = nullptr);

    // Without accounts this says so and ends as cancelled without showing the dialog.
    int exec() override;

    std::u16string chosenAccount() const { return chosen_; }
    QListWidget* accountList() const { return list_; }

private:
    void confirm();

    Prompter& prompter_;
    std::u16string gameFolder_;
    std::u16string chosen_;
    QListWidget* list_;
};

} // namespace ui
