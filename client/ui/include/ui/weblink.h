#pragma once

#include <QLabel>
#include <QString>

namespace usystem {
class Desktop;
}

namespace ui {

// A text with an address, activated by a click: the links of the login and main windows and the
// boss and item links of the raid views. Activated, it sends its address as `linkActivated`; the
// window it is in opens it (`openLinksWith`). The text is shown as it is, never as markup.
class WebLink : public QLabel {
    Q_OBJECT
public:
    explicit WebLink(QWidget* parent = nullptr);
    WebLink(const QString& text, const QString& address, QWidget* parent = nullptr);

    void setLink(const QString& text, const QString& address);
    QString address() const { return address_; }
    // Sends the address, as a click does; nothing for a link without one.
    void activate();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString address_;
};

// Every link that `window` holds now opens its address in `desktop`'s browser.
void openLinksWith(QWidget* window, usystem::Desktop& desktop);

} // namespace ui
