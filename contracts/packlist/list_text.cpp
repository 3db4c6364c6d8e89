#include "packlist/list_text.h"

#include "utilkit/ustring.h"

namespace packlist {
namespace {

constexpr char16_t kEscapedByteBase = 0xDC00;
constexpr char16_t kReplacement = 0xFFFD;
// A GBK character takes one or two bytes.
constexpr std::size_t kLongestCharacter = 2;

bool isEscapedByte(char16_t unit) {
    return unit >= kEscapedByteBase + 0x80 && unit <= kEscapedByteBase + 0xFF;
}

// The bytes decode to one character that encodes back to the same bytes.
bool decodesExactly(std::string_view bytes, std::u16string& decoded) {
    decoded = ustring::toWideString(bytes, ustring::kAnsiCodePage);
    return decoded.find(kReplacement) == std::u16string::npos &&
           ustring::toNarrowString(decoded, ustring::kAnsiCodePage) == bytes;
}

} // namespace

std::u16string decodeListText(std::string_view bytes) {
    std::u16string whole;
    if (decodesExactly(bytes, whole))
        return whole;
    std::u16string out;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::u16string character;
        std::size_t length = std::min(kLongestCharacter, bytes.size() - at);
        for (; length > 0; --length) {
            if (decodesExactly(bytes.substr(at, length), character))
                break;
        }
        if (length == 0) {
            out.push_back(
                static_cast<char16_t>(kEscapedByteBase + static_cast<unsigned char>(bytes[at])));
            length = 1;
        } else {
            out += character;
        }
        at += length;
    }
    return out;
}

std::string encodeListText(std::u16string_view text) {
    std::string out;
    std::size_t runStart = 0;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        const bool escaped = at < text.size() && isEscapedByte(text[at]) &&
                             !(at > 0 && text[at - 1] >= 0xD800 && text[at - 1] <= 0xDBFF);
        if (at < text.size() && !escaped)
            continue;
        out +=
            ustring::toNarrowString(text.substr(runStart, at - runStart), ustring::kAnsiCodePage);
        if (escaped)
            out.push_back(static_cast<char>(text[at] - kEscapedByteBase));
        runStart = at + 1;
    }
    return out;
}

} // namespace packlist
