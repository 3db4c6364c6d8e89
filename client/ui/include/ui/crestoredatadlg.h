#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace savekeep {
class IBackup;
}

namespace ui {

// Restores an account's addon data file from one of the backups that the backup library keeps.
// The backup files of the chosen account are listed newest first (the library lists them
// oldest first).
class CRestoreDataDlg : public QDialog {
    Q_OBJECT
public:
    // The backup object stays owned by the caller and must outlive the dialog.
    explicit CRestoreDataDlg(savekeep::IBackup& backup, QWidget* parent = nullptr);

    QComboBox* accountList() const { return accounts_; }
    QComboBox* backupList() const { return backups_; }
    QLineEdit* targetField() const { return target_; }

private:
    void fillAccounts();
    void accountChanged(int position);
    void fillBackupFiles(int position);
    void fillTarget();
    void restore();

    savekeep::IBackup& backup_;
    QComboBox* accounts_;
    QComboBox* backups_;
    QLineEdit* target_;
};

} // namespace ui
