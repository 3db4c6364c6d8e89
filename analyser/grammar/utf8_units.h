#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace grammar {

// The clipper reads bytes in UTF-8. A UTF-16 text is handed to it with every code unit written
// as UTF-8 writes it, a surrogate without its partner included (three bytes, as if it were a
// character), so that any text, broken or not, has one byte form and decodes back unchanged.
// A file's bytes are made valid UTF-8 before they are read, so both forms decode the same way.

// The UTF-16 code units that these bytes decode to: one for each sequence, and a second for one
// beyond the 16-bit range.
inline std::size_t unitCount(std::string_view bytes) {
    std::size_t units = 0;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        units += (byte & 0xC0) != 0x80;
        units += byte >= 0xF0;
    }
    return units;
}

// True when `text` holds a surrogate without its partner, which valid UTF-8 cannot hold.
inline bool hasBrokenSurrogate(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] < 0xD800 || text[i] >= 0xE000)
            continue;
        if (text[i] >= 0xDC00 || i + 1 == text.size() || text[i + 1] < 0xDC00 ||
            text[i + 1] >= 0xE000)
            return true;
        ++i;
    }
    return false;
}

// Appends the bytes of `text` in the form described above.
inline void appendUnitsAsUtf8(std::u16string_view text, std::string& out) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
}

// Decodes bytes of that form, which hold whole sequences only, into `out`.
inline void decodeUnits(std::string_view bytes, std::u16string& out) {
    out.clear();
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        auto next = [&](std::size_t at) {
            return static_cast<char32_t>(static_cast<unsigned char>(bytes[i + at]) & 0x3F);
        };
        if (lead < 0x80) {
            out += static_cast<char16_t>(lead);
            i += 1;
        } else if (lead < 0xE0 && i + 1 < bytes.size()) {
            out += static_cast<char16_t>(((lead & 0x1F) << 6) | next(1));
            i += 2;
        } else if (lead < 0xF0 && i + 2 < bytes.size()) {
            out += static_cast<char16_t>(((lead & 0x0F) << 12) | (next(1) << 6) | next(2));
            i += 3;
        } else if (i + 3 < bytes.size()) {
            const char32_t c = ((lead & 0x07) << 18) | (next(1) << 12) | (next(2) << 6) | next(3);
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
            i += 4;
        } else {
            out += u'\uFFFD'; // a cut sequence, which the clipper never makes
            i = bytes.size();
        }
    }
}

inline std::u16string decodeUnits(std::string_view bytes) {
    std::u16string out;
    decodeUnits(bytes, out);
    return out;
}

} // namespace grammar
