#include "ui/crestoredatadlg.h"

#include "ui/crestoredatadlg_ids.h"

#include "gamefiles/game_folder.h"
#include "gamefiles/restore_operations.h"
#include "ui/prompter.h"
#include "ui/unitnames.h"
#include "utilkit/ufile.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

namespace ui {

namespace {

QComboBox* makeList(QWidget* parent, int control) {
    auto* list = new QComboBox(parent);
    list->setObjectName(controlName(control));
    list->setEditable(false);
    list->setMinimumWidth(260);
    return list;
}

} // namespace

CRestoreDataDlg::CRestoreDataDlg(const DesktopServices& services, savekeep::IBackup& backup,
                                 const gamefiles::GameFolder& gameFolder, QWidget* parent)
    : QDialog(parent), prompter_(services.prompter), backup_(backup), gameFolder_(gameFolder) {
    setWindowTitle(QStringLiteral("恢复VelvaneDKP插件数据"));
    accounts_ = makeList(this, restoredatadlgids::AccountList);
    backups_ = makeList(this, restoredatadlgids::BackupList);
    target_ = new QLineEdit(this);
    target_->setObjectName(controlName(restoredatadlgids::TargetFile));
    target_->setReadOnly(true);
    target_->setMinimumWidth(380);

    auto* restoreButton = new QPushButton(QStringLiteral("恢复数据"), this);
    auto* cancelButton = new QPushButton(QStringLiteral("取消"), this);
    restoreButton->setObjectName(controlName(restoredatadlgids::Restore));
    cancelButton->setObjectName(controlName(restoredatadlgids::Cancel));
    restoreButton->setDefault(true);
    connect(restoreButton, &QPushButton::clicked, this, &CRestoreDataDlg::restore);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("角色帐号"), accounts_);
    form->addRow(QStringLiteral("备份文件"), backups_);
    form->addRow(QStringLiteral("恢复后文件"), target_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(restoreButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("请选择要恢复的VelvaneDKP插件数据"), this));
    layout->addLayout(form);
    layout->addLayout(buttons);

    fillAccounts();
    connect(accounts_, &QComboBox::currentIndexChanged, this, &CRestoreDataDlg::accountChanged);
}

void CRestoreDataDlg::fillAccounts() {
    for (const auto& record : gamefiles::listBackupRecords(backup_))
        accounts_->addItem(QString::fromStdU16String(record.account));
    accounts_->setCurrentIndex(accounts_->count() > 0 ? 0 : -1);
    fillBackupFiles(0);
    fillTarget();
}

void CRestoreDataDlg::accountChanged(int position) {
    if (position >= 0) {
        backups_->clear();
        fillBackupFiles(position);
    }
    fillTarget();
}

// The backup files of the account at `position`, newest first, each row holding its file's full
// path: the restore writes exactly the file the user saw, whatever the backup object has added
// or dropped since.
void CRestoreDataDlg::fillBackupFiles(int position) {
    const std::vector<savekeep::BackupRecord> records = gamefiles::listBackupRecords(backup_);
    const savekeep::BackupRecord* record =
        gamefiles::findBackupRecord(records, accounts_->itemText(position).toStdU16String());
    if (position < 0 || record == nullptr)
        return;
    for (const auto& file : gamefiles::shownBackupFiles(*record))
        backups_->addItem(QString::fromStdU16String(ufile::GetFileNameFromPath(file)),
                          QString::fromStdU16String(file));
    backups_->setCurrentIndex(backups_->count() > 0 ? 0 : -1);
}

// The target is the account's addon data file in the game folder found now. Without a game
// folder the path would point into whatever the current folder is, so the target stays empty.
void CRestoreDataDlg::fillTarget() {
    const std::u16string account = accounts_->currentText().toStdU16String();
    const std::u16string gameFolder = gameFolder_.current();
    if (account.empty() || gameFolder.empty()) {
        target_->clear();
        return;
    }
    target_->setText(QString::fromStdU16String(gamefiles::restoreTargetFile(gameFolder, account)));
}

void CRestoreDataDlg::restore() {
    const std::u16string chosen = accounts_->currentIndex() < 0
                                      ? std::u16string()
                                      : backups_->currentData().toString().toStdU16String();
    const gamefiles::RestoreOutcome outcome =
        gamefiles::restoreBackup(backup_, chosen, target_->text().toStdU16String());
    prompter_.showMessage(
        this, QString::fromStdU16String(std::u16string(gamefiles::restoreMessage(outcome))),
        kNoticeCaption, MessageIcon::None);
    if (outcome == gamefiles::RestoreOutcome::Restored)
        accept();
    else if (outcome == gamefiles::RestoreOutcome::Vanished)
        accountChanged(accounts_->currentIndex()); // show what is there now
}

} // namespace ui
