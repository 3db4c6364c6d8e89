#include "ansi_codec.h"

#include <optional>
#include <string_view>
#include <windows.h>

namespace ustring {
namespace {

constexpr UINT kGbk = 936;
constexpr char16_t kReplacement = 0xFFFD;

// Windows gives the byte pairs that GBK leaves to users (and nothing else of GBK) characters of
// the private-use area; they are no characters of the shared world.
bool isPrivateUse(char16_t unit) {
    return unit >= 0xE000 && unit <= 0xF8FF;
}

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

bool hasPrivateUse(std::u16string_view text) {
    for (const char16_t unit : text)
        if (isPrivateUse(unit))
            return true;
    return false;
}

// The whole text converted strictly, or nothing when any sequence is invalid or unassigned.
std::optional<std::u16string> decodeStrictly(const char* in, int length) {
    const int units = ::MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, in, length, nullptr, 0);
    if (units <= 0)
        return std::nullopt;
    std::u16string out(static_cast<std::size_t>(units), u'\0');
    ::MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, in, length,
                          reinterpret_cast<wchar_t*>(out.data()), units);
    if (hasPrivateUse(out))
        return std::nullopt;
    return out;
}

// Byte by byte: a character of one or two bytes where GBK assigns one, otherwise one U+FFFD for
// the byte and the next byte read afresh, as the Linux converter does.
std::u16string decodeByCharacter(const char* in, std::size_t length) {
    std::u16string out;
    out.reserve(length);
    std::size_t i = 0;
    while (i < length) {
        const auto lead = static_cast<unsigned char>(in[i]);
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        const int size = ::IsDBCSLeadByteEx(kGbk, lead) && i + 1 < length ? 2 : 1;
        const std::optional<std::u16string> character = decodeStrictly(in + i, size);
        if (character && character->size() == 1) {
            out += *character;
            i += static_cast<std::size_t>(size);
        } else {
            out.push_back(kReplacement);
            ++i;
        }
    }
    return out;
}

// One character (one code unit or a surrogate pair) in GBK, or "?" where it has none. Best-fit
// replacements ("a" for "ä") count as none.
std::string encodeCharacter(const char16_t* in, int units) {
    if (units == 1 && isPrivateUse(*in))
        return "?";
    char bytes[8];
    BOOL usedDefault = FALSE;
    const int length =
        ::WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(in),
                              units, bytes, sizeof bytes, nullptr, &usedDefault);
    if (length <= 0 || usedDefault)
        return "?";
    return std::string(bytes, static_cast<std::size_t>(length));
}

} // namespace

std::u16string decodeAnsi(const char* in, std::size_t length) {
    if (length <= 0x7FFFFFFF)
        if (auto whole = decodeStrictly(in, static_cast<int>(length)))
            return std::move(*whole);
    return decodeByCharacter(in, length);
}

std::string encodeAnsi(const char16_t* in, std::size_t length) {
    std::string out;
    out.reserve(length * 2);
    std::size_t i = 0;
    while (i < length) {
        if (in[i] < 0x80) {
            out.push_back(static_cast<char>(in[i]));
            ++i;
            continue;
        }
        const bool pair = i + 1 < length && isHighSurrogate(in[i]) && isLowSurrogate(in[i + 1]);
        out += encodeCharacter(in + i, pair ? 2 : 1);
        i += pair ? 2 : 1;
    }
    return out;
}

} // namespace ustring
