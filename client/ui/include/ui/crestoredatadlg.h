#pragma once

#include "ui/desktop_services.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace savekeep {
class IBackup;
}
namespace gamefiles {
class GameFolder;
}

namespace ui {

// Restores an account's addon data file from one of the backups that the backup library keeps.
// The backup files of the chosen account are listed newest first (the library lists them
// oldest first).
class CRestoreDataDlg : public QDialog {
    Q_OBJECT
public:
    // The backup object and the game folder in effect (whose accounts' files a restore
    // replaces) stay owned by the caller and must outlive the dialog.
    CRestoreDataDlg(const DesktopServices& services, savekeep::IBackup& backup,
                    const gamefiles::GameFolder& gameFolder, QWidget* parent = nullptr);

    QComboBox* accountList() const { return accounts_; }
    QComboBox* backupList() const { return backups_; }
    QLineEdit* targetField() const { return target_; }

private:
    void fillAccounts();
    void accountChanged(int position);
    void fillBackupFiles(int position);
    void fillTarget();
    void restore();

    Prompter& prompter_;
    savekeep::IBackup& backup_;
    const gamefiles::GameFolder& gameFolder_;
    QComboBox* accounts_;
    QComboBox* backups_;
    QLineEdit* target_;
};

} // namespace ui
