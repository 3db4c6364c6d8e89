#pragma once

#include <QString>

class QWidget;

// Message boxes go through one replaceable `Prompter`, so that tests can read and answer them;
// the default one shows Qt message boxes.
namespace ui {

// The caption of the client's message boxes; the settings dialog uses its own.
inline const QString kNoticeCaption = QStringLiteral("操作提示");

// None: a box without an icon, as the selection and restore dialogs show theirs.
enum class MessageIcon { None, Information, Warning, Error };

class Prompter {
public:
    virtual ~Prompter() = default;
    // A message with an OK button.
    virtual void message(QWidget* parent, const QString& text, const QString& caption,
                         MessageIcon icon) = 0;
    // A question with Yes and No buttons; true for Yes.
    virtual bool question(QWidget* parent, const QString& text, const QString& caption) = 0;
};

// The prompter in use; a null pointer restores the Qt one. The caller keeps ownership.
void setPrompter(Prompter* prompter);
Prompter& prompter();

void showMessage(QWidget* parent, const QString& text, const QString& caption = kNoticeCaption,
                 MessageIcon icon = MessageIcon::Information);
bool askQuestion(QWidget* parent, const QString& text, const QString& caption = kNoticeCaption);

} // namespace ui
