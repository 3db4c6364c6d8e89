#pragma once

#include <cstddef>
#include <string>

// Code page 0, the system's ANSI code page: GBK (Windows code page 936) here, with the system's
// own converter behind it.
namespace ustring {

// Invalid, incomplete or unassigned sequences become U+FFFD, one for each byte that cannot
// start a character.
std::u16string decodeAnsi(const char* in, std::size_t length);

// A character GBK cannot hold (a surrogate pair counted as one) becomes "?".
std::string encodeAnsi(const char16_t* in, std::size_t length);

} // namespace ustring
