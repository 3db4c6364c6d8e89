#include "ui/skin.h"

#include "utilkit/ufile.h"

#include <QFile>
#include <QLabel>

namespace ui {

namespace {
Skin* currentSkin = nullptr;
}

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

Skin* Skin::current() {
    return currentSkin;
}

void Skin::setCurrent(Skin* skin) {
    currentSkin = skin;
}

void showSkinImage(QWidget* widget, const QString& name) {
    auto* label = qobject_cast<QLabel*>(widget);
    if (label == nullptr || Skin::current() == nullptr)
        return;
    const QPixmap pixmap = Skin::current()->image(name);
    if (!pixmap.isNull())
        label->setPixmap(
            pixmap.scaled(label->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace ui
