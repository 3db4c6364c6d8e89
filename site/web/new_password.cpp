#include "web/new_password.h"

#include "utilkit/ustring.h"

namespace dkpsite {

namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

std::size_t characterCount(const std::u16string& text) {
    std::size_t count = 0;
    for (const char16_t unit : text)
        if (unit < 0xdc00 || unit > 0xdfff) // a surrogate pair counts once
            ++count;
    return count;
}

} // namespace

std::string newPasswordProblem(const std::string& password, const std::string& again) {
    if (password != again)
        return "password_mismatch";
    if (!ustring::isValidUtf8(password))
        return "password_characters";
    const std::u16string text = ustring::fromUtf8(password);
    const std::size_t count = characterCount(text);
    if (count < kMinNewPasswordCharacters || count > kMaxNewPasswordCharacters)
        return "password_length";
    if (isBlank(text.front()) || isBlank(text.back()))
        return "password_blank_ends";
    const std::string gbk = ustring::toNarrowString(text, ustring::kAnsiCodePage);
    if (ustring::toWideString(gbk, ustring::kAnsiCodePage) != text)
        return "password_characters";
    return "";
}

} // namespace dkpsite
