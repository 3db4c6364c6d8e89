#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The digests behind encrypt::SHA and encrypt::MD5, computed by the system's own crypto library.
namespace encrypt {

enum class Digest { Sha256, Md5 };

// Lower-case hexadecimal digest of the bytes; empty when the library fails.
std::string digestHex(Digest kind, std::string_view data);

// Lower-case hexadecimal digits of the bytes.
std::string toHex(const unsigned char* bytes, std::size_t length);

} // namespace encrypt
