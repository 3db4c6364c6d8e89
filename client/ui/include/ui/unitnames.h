#pragma once

#include <QString>
#include <QWidget>

namespace ui {

// Windows name their parts for the skin's style sheet and for the tests: a skin unit is named
// "unit" followed by its number, a dialog control "ctl" followed by its number. Each window
// keeps its numbers in one table beside it (<window>_ids.h).
inline QString unitName(int unit) {
    return QStringLiteral("unit%1").arg(unit);
}

inline QString controlName(int control) {
    return QStringLiteral("ctl%1").arg(control);
}

// A new child widget named as the skin unit `unit`.
template <typename Widget> Widget* makeUnit(QWidget* parent, int unit) {
    auto* widget = new Widget(parent);
    widget->setObjectName(unitName(unit));
    return widget;
}

} // namespace ui
