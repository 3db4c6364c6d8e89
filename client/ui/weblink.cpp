#include "ui/weblink.h"

#include "utilkit_gui/usystem.h"

#include <QMouseEvent>

namespace ui {

WebLink::WebLink(QWidget* parent) : WebLink(QString(), QString(), parent) {}

WebLink::WebLink(const QString& text, const QString& address, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setProperty("weblink", true);
    setLink(text, address);
}

void WebLink::setLink(const QString& text, const QString& address) {
    setText(text);
    address_ = address;
    setToolTip(address);
}

void WebLink::activate() {
    if (!address_.isEmpty())
        emit linkActivated(address_);
}

void WebLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        activate();
    QLabel::mouseReleaseEvent(event);
}

void openLinksWith(QWidget* window, usystem::Desktop& desktop) {
    for (WebLink* link : window->findChildren<WebLink*>())
        QObject::connect(link, &QLabel::linkActivated, window, [&desktop](const QString& address) {
            desktop.openUrl(address.toStdU16String());
        });
}

} // namespace ui
