#include "itemlinks.h"

#include "clinklabel.h"
#include "itemsearchaddress.h"
#include "units.h"

#include <QBoxLayout>
#include <QGridLayout>

std::vector<CLinkLabel*> addItemLinks(QWidget* parent, QBoxLayout* layout, int firstUnit, int count,
                                      int columns) {
    std::vector<CLinkLabel*> links;
    auto* grid = new QGridLayout;
    for (int i = 0; i < count; ++i) {
        auto* link = makeUnit<CLinkLabel>(parent, firstUnit + i);
        grid->addWidget(link, i / columns, i % columns);
        link->hide();
        links.push_back(link);
    }
    layout->addLayout(grid);
    return links;
}

void showItemLinks(const std::vector<CLinkLabel*>& links, const dkp::Loots& loots,
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
