#include "utilkit_gui/usystem.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QUrl>

namespace usystem {

void QtDesktop::openUrl(std::u16string_view url) {
    OpenURL(url);
}

std::u16string QtDesktop::chooseFolder() {
    return OpenFolderDialog();
}

void OpenURL(std::u16string_view url) {
    QDesktopServices::openUrl(QUrl(QString::fromUtf16(url.data(), std::ssize(url))));
}

std::u16string OpenFolderDialog() {
    const QString folder = QFileDialog::getExistingDirectory(
        QApplication::activeWindow(), QString(), QDir::homePath(), QFileDialog::ShowDirsOnly);
    return QDir::fromNativeSeparators(folder).toStdU16String();
}

QFont GetDefaultLF() {
    return QGuiApplication::font();
}

} // namespace usystem
