#include "utilkit/ustring.h"

#include "ansi_codec.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace ustring {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Length of the UTF-8 sequence introduced by `lead`, or 0 for a byte that cannot start one.
int utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The valid range of the second byte, which rules out overlong forms, surrogates and
// code points above U+10FFFF.
bool secondByteInRange(unsigned char lead, unsigned char second) {
    switch (lead) {
    case 0xE0:
        return second >= 0xA0 && second <= 0xBF;
    case 0xED:
        return second >= 0x80 && second <= 0x9F;
    case 0xF0:
        return second >= 0x90 && second <= 0xBF;
    case 0xF4:
        return second >= 0x80 && second <= 0x8F;
    default:
        return isContinuation(second);
    }
}

// Writes `cp` at `out` (one or two code units) and returns the position after it.
char16_t* putCodePoint(char16_t* out, char32_t cp) {
    if (cp < 0x10000) {
        *out++ = static_cast<char16_t>(cp);
        return out;
    }
    cp -= 0x10000;
    *out++ = static_cast<char16_t>(0xD800 + (cp >> 10));
    *out++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    return out;
}

// Reads UTF-8 code point by code point, giving each to `put`; each maximal invalid subpart
// gives one U+FFFD.
template <typename Put>
void forEachCodePoint(const unsigned char* in, std::size_t length, Put put) {
    std::size_t i = 0;
    while (i < length) {
        const unsigned char lead = in[i];
        if (lead < 0x80) {
            put(lead);
            ++i;
            continue;
        }
        const int need = utf8SequenceLength(lead);
        if (need == 0) {
            put(kReplacement);
            ++i;
            continue;
        }
        char32_t cp = lead & (0x7F >> need);
        int got = 1;
        while (got < need && i + got < length) {
            const unsigned char next = in[i + got];
            const bool ok = got == 1 ? secondByteInRange(lead, next) : isContinuation(next);
            if (!ok)
                break;
            cp = (cp << 6) | (next & 0x3F);
            ++got;
        }
        if (got < need) {
            put(kReplacement);
            i += got;
            continue;
        }
        put(cp);
        i += need;
    }
}

bool isAsciiWord(const unsigned char* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return (word & 0x8080808080808080u) == 0;
}

// Decodes UTF-8 into a text of exactly the code units it gives, counted first, so that a
// decoded text holds no more memory than it needs.
std::u16string decodeUtf8(const unsigned char* in, std::size_t length) {
    std::size_t units = 0;
    forEachCodePoint(in, length, [&](char32_t cp) { units += cp < 0x10000 ? 1 : 2; });
    std::u16string out(units, u'\0');
    char16_t* put = out.data();
    forEachCodePoint(in, length, [&](char32_t cp) { put = putCodePoint(put, cp); });
    return out;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::string encodeUtf8(const char16_t* in, std::size_t length) {
    std::string out;
    out.reserve(length + length / 2);
    for (std::size_t i = 0; i < length; ++i) {
        const char16_t unit = in[i];
        if (isHighSurrogate(unit) && i + 1 < length && isLowSurrogate(in[i + 1])) {
            appendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (in[i + 1] - 0xDC00));
            ++i;
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            appendUtf8(out, kReplacement);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

} // namespace

bool isAscii(std::string_view text) {
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8)
        if (!isAsciiWord(in + i))
            return false;
    for (; i < text.size(); ++i)
        if (in[i] >= 0x80)
            return false;
    return true;
}

bool isValidUtf8(std::string_view text) {
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t length = text.size();
    std::size_t i = 0;
    while (i < length) {
        // Runs of ASCII, the bulk of most texts, are checked eight bytes at a time.
        while (i + 8 <= length && isAsciiWord(in + i))
            i += 8;
        if (i >= length)
            break;
        const unsigned char lead = in[i];
        const int need = utf8SequenceLength(lead);
        if (need == 0 || i + static_cast<std::size_t>(need) > length)
            return false;
        for (int k = 1; k < need; ++k) {
            const unsigned char next = in[i + static_cast<std::size_t>(k)];
            if (!(k == 1 ? secondByteInRange(lead, next) : isContinuation(next)))
                return false;
        }
        i += static_cast<std::size_t>(need);
    }
    return true;
}

std::u16string toWideString(const char* text, std::size_t length, unsigned int codePage) {
    if (text == nullptr || length == 0)
        return {};
    if (codePage == kUtf8CodePage)
        return decodeUtf8(reinterpret_cast<const unsigned char*>(text), length);
    if (codePage == kAnsiCodePage)
        return decodeAnsi(text, length);
    return {};
}

std::u16string toWideString(std::string_view text, unsigned int codePage) {
    return toWideString(text.data(), text.size(), codePage);
}

std::string toNarrowString(const char16_t* text, std::size_t length, unsigned int codePage) {
    if (text == nullptr || length == 0)
        return {};
    if (codePage == kUtf8CodePage)
        return encodeUtf8(text, length);
    if (codePage == kAnsiCodePage)
        return encodeAnsi(text, length);
    return {};
}

std::string toNarrowString(std::u16string_view text, unsigned int codePage) {
    return toNarrowString(text.data(), text.size(), codePage);
}

std::u16string ToString(std::int32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

bool Analyze(std::u16string_view text, char16_t separator, std::vector<std::u16string>& pieces) {
    pieces.clear();
    if (text.empty())
        return false;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        if (end == std::u16string_view::npos) {
            pieces.emplace_back(text.substr(start));
            break;
        }
        pieces.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return true;
}

namespace {
bool isTrimmed(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}
} // namespace

void trimExt(std::u16string& text) {
    std::size_t end = text.size();
    while (end > 0 && isTrimmed(text[end - 1]))
        --end;
    std::size_t begin = 0;
    while (begin < end && isTrimmed(text[begin]))
        ++begin;
    if (begin == 0 && end == text.size())
        return;
    text.erase(end);
    text.erase(0, begin);
}

void ToUpper(std::u16string& text) {
    for (char16_t& c : text)
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
}

void ToLower(std::u16string& text) {
    for (char16_t& c : text)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
}

std::u16string fromUtf8(std::string_view text) {
    return toWideString(text, kUtf8CodePage);
}

std::string toUtf8(std::u16string_view text) {
    return toNarrowString(text, kUtf8CodePage);
}

} // namespace ustring
