#pragma once

#include <QLabel>
#include <QString>

// A text that opens its address in the browser (`usystem::OpenURL`) when clicked.
class WebLink : public QLabel {
    Q_OBJECT
public:
    WebLink(const QString& text, const QString& address, QWidget* parent = nullptr);

    QString address() const { return address_; }
    void setAddress(const QString& address) { address_ = address; }
    // Opens the address, as a click does.
    void activate();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString address_;
};
