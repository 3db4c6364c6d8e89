#include "ui/prompter.h"

#include <QMessageBox>

namespace ui {
namespace {

QMessageBox::Icon toQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void QtPrompter::message(QWidget* parent, const QString& text, const QString& caption,
                         MessageIcon icon) {
    QMessageBox box(toQtIcon(icon), caption, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.exec();
}

bool QtPrompter::question(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setObjectName(QStringLiteral("questionBox"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool PromptMessageOwner::askQuestion(std::u16string_view caption, std::u16string_view text) {
    return prompter_.askQuestion(parent_, toQString(text), toQString(caption));
}

void PromptMessageOwner::showInformation(std::u16string_view caption, std::u16string_view text) {
    prompter_.showMessage(parent_, toQString(text), toQString(caption), MessageIcon::Information);
}

void PromptMessageOwner::showWarning(std::u16string_view caption, std::u16string_view text) {
    prompter_.showMessage(parent_, toQString(text), toQString(caption), MessageIcon::Warning);
}

} // namespace ui
