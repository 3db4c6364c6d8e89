#include "ui/wizard/cselectaccountdlg.h"

#include "selectionlayout.h"

#include "ui/prompter.h"

#include <QListWidget>
#include <QPushButton>

namespace ui {

CSelectAccountDlg::CSelectAccountDlg(const DesktopServices& services,
                                     const std::vector<std::u16string>& accounts,
                                     const std::u16string& gameFolder, QWidget* parent)
    : QDialog(parent), prompter_(services.prompter), gameFolder_(gameFolder) {
    const SelectionControls controls =
        buildSelectionLayout(this, QStringLiteral("选择DKP记录账号"));
    list_ = controls.list;
    connect(controls.next, &QPushButton::clicked, this, &CSelectAccountDlg::confirm);
    for (const auto& account : accounts)
        list_->addItem(QString::fromStdU16String(account));
    if (list_->count() > 0)
        list_->setCurrentRow(0);
}

int CSelectAccountDlg::exec() {
    if (list_->count() == 0) {
        prompter_.showMessage(this,
                              QStringLiteral("在%1目录上没有找到您的角色目录！\n"
                                             "请在RAID活动结束之后再上传DKP记录！")
                                  .arg(QString::fromStdU16String(gameFolder_)),
                              kNoticeCaption, MessageIcon::None);
        setResult(Rejected);
        return Rejected;
    }
    return QDialog::exec();
}

void CSelectAccountDlg::confirm() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) {
        if (list_->count() > 0) {
            prompter_.showMessage(this, QStringLiteral("请选择您要上传的DKP记录的帐号！"),
                                  kNoticeCaption, MessageIcon::None);
            list_->setFocus();
            return;
        }
        // An empty list has nothing to choose: the dialog ends as cancelled.
        reject();
        return;
    }
    chosen_ = selected.front()->text().toStdU16String();
    accept();
}

} // namespace ui
