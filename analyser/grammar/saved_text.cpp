#include "grammar/saved_text.h"

#include <string_view>

namespace grammar {
namespace {

template <typename Char>
void dropMarkAndCarriageReturns(std::basic_string<Char>& text, std::basic_string_view<Char> mark) {
    const std::size_t from = text.starts_with(mark) ? mark.size() : 0;
    const Char lineEnd[] = {Char('\r'), Char('\n'), Char(0)};
    if (from == 0 && text.find(lineEnd) == std::basic_string<Char>::npos)
        return;
    std::size_t to = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n'))
            continue;
        text[to++] = text[i];
    }
    text.resize(to);
}

} // namespace

void prepareSavedText(std::u16string& text) {
    dropMarkAndCarriageReturns<char16_t>(text, u"\uFEFF");
}

void prepareSavedText(std::string& bytes) {
    dropMarkAndCarriageReturns<char>(bytes, "\xEF\xBB\xBF");
}

} // namespace grammar
