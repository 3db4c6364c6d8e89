#pragma once

#include "gamefiles/message_owner.h"

#include <QString>

#include <string_view>

class QWidget;

// The client's message boxes. They go through one replaceable `Prompter`, so that tests can
// read and answer them; the default one shows Qt message boxes.
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
};

// The prompter in use; a null pointer restores the Qt one. The caller keeps ownership.
void setPrompter(Prompter* prompter);
Prompter& prompter();

void showMessage(QWidget* parent, const QString& text, const QString& caption = kNoticeCaption,
                 MessageIcon icon = MessageIcon::Information);
bool askQuestion(QWidget* parent, const QString& text, const QString& caption = kNoticeCaption);

// Shows the messages of the game-file operations as the client's message boxes over `parent`.
class PromptMessageOwner final : public gamefiles::IMessageOwner {
public:
    explicit PromptMessageOwner(QWidget* parent) : parent_(parent) {}
    bool askQuestion(std::u16string_view caption, std::u16string_view text) override;
    void showInformation(std::u16string_view caption, std::u16string_view text) override;
    void showWarning(std::u16string_view caption, std::u16string_view text) override;

private:
    QWidget* parent_;
};

} // namespace ui
