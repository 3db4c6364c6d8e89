#include "utilkit_gui/usystem.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QUrl>

namespace usystem {
namespace {

class QtDesktop final : public Desktop {
public:
    void openUrl(std::u16string_view url) override {
        QDesktopServices::openUrl(QUrl(QString::fromUtf16(url.data(), std::ssize(url))));
    }

    std::u16string chooseFolder() override {
        const QString folder = QFileDialog::getExistingDirectory(
            QApplication::activeWindow(), QString(), QDir::homePath(), QFileDialog::ShowDirsOnly);
        return QDir::fromNativeSeparators(folder).toStdU16String();
    }
};

QtDesktop& qtDesktop() {
    static QtDesktop instance;
    return instance;
}

Desktop* current = nullptr;

} // namespace

void setDesktop(Desktop* replacement) {
    current = replacement;
}

Desktop& desktop() {
    return current != nullptr ? *current : qtDesktop();
}

void OpenURL(std::u16string_view url) {
    desktop().openUrl(url);
}

std::u16string OpenFolderDialog() {
    return desktop().chooseFolder();
}

QFont GetDefaultLF() {
    return QGuiApplication::font();
}

} // namespace usystem
