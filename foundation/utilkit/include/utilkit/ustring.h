#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ustring {

// Code page 0: the system's ANSI code page, which is GBK (Windows code page 936) here.
inline constexpr unsigned int kAnsiCodePage = 0;
inline constexpr unsigned int kUtf8CodePage = 65001;

// Decodes `length` bytes in `codePage`; invalid or incomplete sequences become U+FFFD.
// An unknown code page gives the empty text.
std::u16string toWideString(const char* text, std::size_t length, unsigned int codePage);
std::u16string toWideString(std::string_view text, unsigned int codePage);

// True when `text` is well-formed UTF-8 (no byte would decode to U+FFFD).
bool isValidUtf8(std::string_view text);
// True when every byte of `text` is ASCII; read eight bytes at a time.
bool isAscii(std::string_view text);

// Encodes `length` code units in `codePage`; a character the code page cannot hold becomes
// "?" (U+FFFD for a lone surrogate in UTF-8).
std::string toNarrowString(const char16_t* text, std::size_t length, unsigned int codePage);
std::string toNarrowString(std::u16string_view text, unsigned int codePage);

// Decimal digits, with "-" for negatives.
std::u16string ToString(std::int32_t value);

// Splits `text` at every `separator`. Adjacent separators give an empty piece between them;
// the empty text gives no piece at all. Returns false when no piece was produced.
bool Analyze(std::u16string_view text, char16_t separator, std::vector<std::u16string>& pieces);

// Removes leading and trailing blanks, tabs, carriage returns and line feeds in place.
void trimExt(std::u16string& text);

// Change the case of A-Z and a-z only.
void ToUpper(std::u16string& text);
void ToLower(std::u16string& text);

// UTF-8 conversions (code page 65001), the common case.
std::u16string fromUtf8(std::string_view text);
std::string toUtf8(std::u16string_view text);

} // namespace ustring
