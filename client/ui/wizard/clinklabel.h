#pragma once

#include <QLabel>
#include <QString>

// A text that opens its address in the browser when clicked.
class CLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit CLinkLabel(QWidget* parent = nullptr);

    void setLink(const QString& text, const QString& address);
    QString linkText() const { return text_; }
    QString link() const { return address_; }

    // Opens the address as a click on the label does.
    void activate();

private:
    QString text_;
    QString address_;
};
