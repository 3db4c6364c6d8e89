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

class QtPrompter final : public Prompter {
public:
    void message(QWidget* parent, const QString& text, const QString& caption,
                 MessageIcon icon) override {
        QMessageBox box(toQtIcon(icon), caption, text, QMessageBox::Ok, parent);
        box.setObjectName(QStringLiteral("messageBox"));
        box.exec();
    }

    bool question(QWidget* parent, const QString& text, const QString& caption) override {
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                        parent);
        box.setObjectName(QStringLiteral("questionBox"));
        box.setDefaultButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }
};

QtPrompter& qtPrompter() {
    static QtPrompter instance;
    return instance;
}

Prompter* current = nullptr;

QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void setPrompter(Prompter* replacement) {
    current = replacement;
}

Prompter& prompter() {
    return current != nullptr ? *current : qtPrompter();
}

void showMessage(QWidget* parent, const QString& text, const QString& caption, MessageIcon icon) {
    prompter().message(parent, text, caption, icon);
}

bool askQuestion(QWidget* parent, const QString& text, const QString& caption) {
    return prompter().question(parent, text, caption);
}

bool PromptMessageOwner::askQuestion(std::u16string_view caption, std::u16string_view text) {
    return ui::askQuestion(parent_, toQString(text), toQString(caption));
}

void PromptMessageOwner::showInformation(std::u16string_view caption, std::u16string_view text) {
    showMessage(parent_, toQString(text), toQString(caption), MessageIcon::Information);
}

void PromptMessageOwner::showWarning(std::u16string_view caption, std::u16string_view text) {
    showMessage(parent_, toQString(text), toQString(caption), MessageIcon::Warning);
}

} // namespace ui
