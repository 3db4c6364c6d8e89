#include "itemlinks.h"

#include "itemsearchaddress.h"
#include "unitgrid.h"

#include "ui/weblink.h"

namespace ui {

std::vector<WebLink*> addItemLinks(QWidget* parent, QBoxLayout* layout, int firstUnit, int count,
                                   int columns) {
    std::vector<WebLink*> links = addUnitGrid<WebLink>(parent, layout, firstUnit, count, columns);
    for (WebLink* link : links)
        link->hide();
    return links;
}

QString nameWithCost(const std::u16string& name, int costs) {
    return QString::fromStdU16String(name) + QStringLiteral("(%1)").arg(costs);
}

void showItemLinks(const std::vector<WebLink*>& links, const dkp::Loots& loots,
                   const QString& itemSearchHost) {
    for (std::size_t i = 0; i < links.size(); ++i) {
        if (i >= loots.size()) {
            links[i]->hide();
            continue;
        }
        links[i]->setLink(nameWithCost(loots[i].name, loots[i].costs),
                          itemSearchAddress(itemSearchHost, loots[i].name));
        links[i]->show();
    }
}

} // namespace ui
