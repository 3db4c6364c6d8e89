#pragma once

#include <string>
#include <string_view>

namespace encrypt {

// Lower-case hexadecimal SHA-256 digest of the bytes (64 characters).
std::string SHA(std::string_view data);

// Lower-case hexadecimal MD5 digest of the bytes (32 characters).
std::string MD5(std::string_view data);

// Percent-encodes every byte outside A-Z a-z 0-9 "-" "." "_" "~", with upper-case hex digits.
std::string urlEncode(std::string_view data);

} // namespace encrypt
