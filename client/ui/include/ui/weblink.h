#pragma once

#include <QLabel>
#include <QString>

namespace ui {

// A text that opens its address in the browser (`usystem::OpenURL`) when clicked: the links of
// the login and main windows and the boss and item links of the raid views. The text is shown
// as it is, never as markup.
class WebLink : public QLabel {
    Q_OBJECT
public:
    explicit WebLink(QWidget* parent = nullptr);
    WebLink(const QString& text, const QString& address, QWidget* parent = nullptr);

    void setLink(const QString& text, const QString& address);
    QString address() const { return address_; }
    // Opens the address, as a click does.
    void activate();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString address_;
};

} // namespace ui
