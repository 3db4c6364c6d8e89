#pragma once

#include <QString>
#include <QWidget>

// A view's numbered unit: a child widget whose object name is "unit" followed by its number.
template <typename Widget> Widget* makeUnit(QWidget* parent, int number) {
    auto* unit = new Widget(parent);
    unit->setObjectName(QStringLiteral("unit%1").arg(number));
    return unit;
}

// The loot label text: the name followed by the cost in parentheses, "(0)" included.
inline QString nameWithCost(const std::u16string& name, int costs) {
    return QString::fromStdU16String(name) + QStringLiteral("(%1)").arg(costs);
}
