#include "ui/wizard/cselectraiddlg.h"

#include "selectionlayout.h"

#include "ui/prompter.h"

#include "raidsift.h"

#include <QListWidget>
#include <QPushButton>

namespace ui {

CSelectRaidDlg::CSelectRaidDlg(const DesktopServices& services,
                               const std::vector<dkp::Raid*>& raids, QWidget* parent)
    : QDialog(parent), prompter_(services.prompter), raids_(raids) {
    const SelectionControls controls =
        buildSelectionLayout(this, QStringLiteral("选择要上传的RAID活动记录"));
    list_ = controls.list;
    connect(controls.next, &QPushButton::clicked, this, &CSelectRaidDlg::confirm);
    for (dkp::Raid* raid : raids_)
        list_->addItem(QString::fromStdU16String(raid->getRaidName()));
    if (list_->count() > 0)
        list_->setCurrentRow(0);
}

void CSelectRaidDlg::markUploaded(int position, const QString& detail) {
    QListWidgetItem* item = list_->item(position);
    if (item == nullptr)
        return;
    item->setText(
        QString::fromStdU16String(raids_[static_cast<std::size_t>(position)]->getRaidName()) +
        QStringLiteral("  已上传"));
    item->setToolTip(detail);
}

int CSelectRaidDlg::exec() {
    if (list_->count() == 0) {
        prompter_.showMessage(
            this, QStringLiteral("没有检测到您的RAID记录！请在RAID活动结束之后再上传DKP记录！"),
            kNoticeCaption, MessageIcon::None);
        setResult(Rejected);
        return Rejected;
    }
    return QDialog::exec();
}

dkp::Raid* CSelectRaidDlg::chosenRaid() const {
    if (chosen_ < 0 || static_cast<std::size_t>(chosen_) >= raids_.size())
        return nullptr;
    return raids_[static_cast<std::size_t>(chosen_)];
}

void CSelectRaidDlg::confirm() {
    const QModelIndexList selected = list_->selectionModel()->selectedIndexes();
    if (selected.isEmpty()) {
        if (list_->count() > 0) {
            prompter_.showMessage(this, QStringLiteral("请选择您要上传的RAID记录！"),
                                  kNoticeCaption, MessageIcon::None);
            list_->setFocus();
            return;
        }
        reject();
        return;
    }
    chosen_ = selected.front().row();
    accept();
}

} // namespace ui
