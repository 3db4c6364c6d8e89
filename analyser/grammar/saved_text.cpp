#include "grammar/saved_text.h"

#include <algorithm>

namespace grammar {
namespace {
constexpr char16_t kByteOrderMark = 0xFEFF;
} // namespace

void prepareSavedText(std::u16string& text) {
    std::size_t from = 0;
    if (!text.empty() && text.front() == kByteOrderMark)
        from = 1;
    if (from == 0 && text.find(u"\r\n") == std::u16string::npos)
        return;
    std::size_t to = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue;
        text[to++] = text[i];
    }
    text.resize(to);
}

} // namespace grammar
