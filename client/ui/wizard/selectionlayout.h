#pragma once

class QDialog;
class QListWidget;
class QPushButton;
class QString;

namespace ui {

struct SelectionControls {
    QListWidget* list;
    QPushButton* next;
};

// The common face of the two selection dialogs: a single-selection list filling most of the
// dialog, with "下一步" (confirming, left to the caller to connect) and "取消" below it.
SelectionControls buildSelectionLayout(QDialog* dialog, const QString& title);

} // namespace ui
