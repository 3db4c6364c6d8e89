#pragma once

#include "raidsift.h"

#include <QString>

#include <vector>

class QBoxLayout;
class QWidget;

namespace ui {

class WebLink;

// A grid of `count` item links in `columns` columns, numbered from `firstUnit`, added to
// `layout`; the links start hidden.
std::vector<WebLink*> addItemLinks(QWidget* parent, QBoxLayout* layout, int firstUnit, int count,
                                   int columns);

// The text of a boss or item link: the name followed by the points or cost in parentheses,
// "(0)" included.
QString nameWithCost(const std::u16string& name, int costs);

// Shows the first loots, one a link, as "name(cost)" leading to the item's search page; the
// links beyond them are hidden.
void showItemLinks(const std::vector<WebLink*>& links, const dkp::Loots& loots,
                   const QString& itemSearchHost);

} // namespace ui
