#pragma once

#include "ui/unitnames.h"

#include <QBoxLayout>
#include <QGridLayout>

#include <vector>

namespace ui {

// A grid of `count` skin units numbered from `firstUnit`, `columns` a row, added to `layout`.
template <typename Widget>
std::vector<Widget*> addUnitGrid(QWidget* parent, QBoxLayout* layout, int firstUnit, int count,
                                 int columns) {
    std::vector<Widget*> units;
    auto* grid = new QGridLayout;
    for (int i = 0; i < count; ++i) {
        auto* unit = makeUnit<Widget>(parent, firstUnit + i);
        grid->addWidget(unit, i / columns, i % columns);
        units.push_back(unit);
    }
    layout->addLayout(grid);
    return units;
}

} // namespace ui
