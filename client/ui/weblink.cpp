#include "ui/weblink.h"

#include "utilkit_gui/usystem.h"

#include <QMouseEvent>

WebLink::WebLink(const QString& text, const QString& address, QWidget* parent)
    : QLabel(text, parent), address_(address) {
    setCursor(Qt::PointingHandCursor);
    setProperty("weblink", true);
    setToolTip(address);
}

void WebLink::activate() {
    if (!address_.isEmpty())
        usystem::OpenURL(address_.toStdU16String());
}

void WebLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        activate();
    QLabel::mouseReleaseEvent(event);
}
