#include "prompts.h"

#include "ui/prompter.h"
#include "utilkit_gui/usystem.h"

namespace prompts {

void notice(QWidget* parent, const QString& text, Icon icon) {
    ui::showMessage(parent, text, ui::kNoticeCaption,
                    icon == Icon::None ? ui::MessageIcon::None : ui::MessageIcon::Information);
}

bool askYesNo(QWidget* parent, const QString& text) {
    return ui::askQuestion(parent, text, ui::kNoticeCaption);
}

void openAddress(const QString& address) {
    usystem::OpenURL(address.toStdU16String());
}

} // namespace prompts
