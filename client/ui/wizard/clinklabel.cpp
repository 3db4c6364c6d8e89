#include "clinklabel.h"

#include "prompts.h"

CLinkLabel::CLinkLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    setOpenExternalLinks(false);
    connect(this, &QLabel::linkActivated, this, [this] { activate(); });
}

void CLinkLabel::setLink(const QString& text, const QString& address) {
    text_ = text;
    address_ = address;
    setText(
        QStringLiteral("<a href=\"%1\">%2</a>").arg(address.toHtmlEscaped(), text.toHtmlEscaped()));
}

void CLinkLabel::activate() {
    if (!address_.isEmpty())
        prompts::openAddress(address_);
}
