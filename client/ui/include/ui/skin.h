#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

class QWidget;

namespace ui {

// The client's skin: the style sheet "skin/raidledger.qss" and the images in "skin/images/"
// under the program folder. The application object owns one and hands it to the windows, which
// draw without images when they are given none.
class Skin {
public:
    // `folder`: the skin folder, ending in "/".
    explicit Skin(QString folder);
    // The skin beside the running program.
    static QString defaultFolder();

    // Reads the style sheet; false when it cannot be read (the windows then keep Qt's look).
    bool load();
    bool isLoaded() const { return !styleSheet_.isEmpty(); }
    // The style sheet with its image references resolved against the skin folder.
    QString styleSheet() const { return styleSheet_; }

    QPixmap image(const QString& name) const;
    QIcon icon() const;

private:
    QString folder_;
    QString styleSheet_;
};

// Shows the named image of `skin` on `widget` (a QLabel), scaled to its size; nothing without a
// skin.
void showSkinImage(const Skin* skin, QWidget* widget, const QString& name);
// Gives `window` the skin's icon; nothing without a skin.
void showSkinIcon(const Skin* skin, QWidget* window);

} // namespace ui
