#pragma once

#include "gamefiles/message_owner.h"

#include <QString>

#include <string_view>

class QWidget;

// The client's message boxes. Windows show them through the `Prompter` they were given, so that
// tests can read and answer them; `QtPrompter` shows Qt message boxes.
namespace ui {

// The caption of the client's message boxes; the settings dialog uses its own.
inline const QString kNoticeCaption = QString::fromUtf16(
    gamefiles::kNoticeCaption.data(), static_cast<qsizetype>(gamefiles::kNoticeCaption.size()));

// None: a box without an icon, as the selection and restore dialogs show theirs.
enum class MessageIcon { None, Information, Warning, Error };

class Prompter {
public:
    virtual ~Prompter() = default;
    // A message with an OK button.
    virtual void message(QWidget* parent, const QString& text, const QString& caption,
                         MessageIcon icon) = 0;
    // A question with Yes and No buttons, No the default; true for Yes.
    virtual bool question(QWidget* parent, const QString& text, const QString& caption) = 0;

    // The client's usual boxes: its caption, and an information icon for a message.
    void showMessage(QWidget* parent, const QString& text, const QString& caption = kNoticeCaption,
                     MessageIcon icon = MessageIcon::Information) {
        message(parent, text, caption, icon);
    }
    bool askQuestion(QWidget* parent, const QString& text,
                     const QString& caption = kNoticeCaption) {
        return question(parent, text, caption);
    }
};

class QtPrompter final : public Prompter {
public:
    void message(QWidget* parent, const QString& text, const QString& caption,
                 MessageIcon icon) override;
    bool question(QWidget* parent, const QString& text, const QString& caption) override;
};

// Shows the messages of the game-file operations as the client's message boxes over `parent`.
class PromptMessageOwner final : public gamefiles::IMessageOwner {
public:
    PromptMessageOwner(QWidget* parent, Prompter& prompter)
        : parent_(parent), prompter_(prompter) {}
    bool askQuestion(std::u16string_view caption, std::u16string_view text) override;
    void showInformation(std::u16string_view caption, std::u16string_view text) override;
    void showWarning(std::u16string_view caption, std::u16string_view text) override;

private:
    QWidget* parent_;
    Prompter& prompter_;
};

} // namespace ui
