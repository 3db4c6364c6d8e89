#pragma once

#include <QString>

class QWidget;

// The message boxes and the browser as the upload and restore windows use them. Every box
// carries the caption "操作提示"; they go through the client's replaceable prompter and desktop.
namespace prompts {

enum class Icon { None, Information };

// A box with an OK button.
void notice(QWidget* parent, const QString& text, Icon icon);
// A question box with Yes/No buttons; true for Yes.
bool askYesNo(QWidget* parent, const QString& text);
// Opens the address in the browser.
void openAddress(const QString& address);

} // namespace prompts
