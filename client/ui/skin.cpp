#include "ui/skin.h"

#include "utilkit/ufile.h"

#include <QFile>
#include <QLabel>

namespace ui {

Skin::Skin(QString folder) : folder_(std::move(folder)) {}

QString Skin::defaultFolder() {
    return QString::fromStdU16String(ufile::GetModulePathDir()) + QStringLiteral("skin/");
}

bool Skin::load() {
    QFile file(folder_ + QStringLiteral("raidledger.qss"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QString sheet = QString::fromUtf8(file.readAll());
    sheet.replace(QStringLiteral("url(images/"), QStringLiteral("url(") + folder_ + "images/");
    styleSheet_ = sheet;
    return true;
}

QPixmap Skin::image(const QString& name) const {
    return QPixmap(folder_ + QStringLiteral("images/") + name + QStringLiteral(".png"));
}

QIcon Skin::icon() const {
    return QIcon(image(QStringLiteral("icon")));
}

void showSkinImage(const Skin* skin, QWidget* widget, const QString& name) {
    auto* label = qobject_cast<QLabel*>(widget);
    if (label == nullptr || skin == nullptr)
        return;
    const QPixmap pixmap = skin->image(name);
    if (!pixmap.isNull())
        label->setPixmap(
            pixmap.scaled(label->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void showSkinIcon(const Skin* skin, QWidget* window) {
    if (skin != nullptr && window != nullptr)
        window->setWindowIcon(skin->icon());
}

} // namespace ui
