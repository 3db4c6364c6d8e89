#include "ui/promptmessageowner.h"

#include "ui/prompter.h"

namespace {
QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

bool PromptMessageOwner::askQuestion(std::u16string_view caption, std::u16string_view text) {
    return ui::askQuestion(parent_, toQString(text), toQString(caption));
}

void PromptMessageOwner::showInformation(std::u16string_view caption, std::u16string_view text) {
    ui::showMessage(parent_, toQString(text), toQString(caption), ui::MessageIcon::Information);
}

void PromptMessageOwner::showWarning(std::u16string_view caption, std::u16string_view text) {
    ui::showMessage(parent_, toQString(text), toQString(caption), ui::MessageIcon::Warning);
}
