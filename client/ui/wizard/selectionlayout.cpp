#include "selectionlayout.h"

#include "ui/wizard/selectiondlg_ids.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

SelectionControls buildSelectionLayout(QDialog* dialog, const QString& title) {
    dialog->setWindowTitle(title);
    auto* list = new QListWidget(dialog);
    list->setObjectName(selectiondlgids::List);
    list->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* next = new QPushButton(QStringLiteral("下一步"), dialog);
    auto* cancel = new QPushButton(QStringLiteral("取消"), dialog);
    next->setObjectName(selectiondlgids::NextButton);
    cancel->setObjectName(selectiondlgids::CancelButton);
    next->setDefault(true);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(next);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(list, 1);
    layout->addLayout(buttons);
    dialog->resize(360, 300);
    return {list, next};
}

} // namespace ui
