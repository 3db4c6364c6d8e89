#include "auth/csrf.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/rand.h>
#include <stdexcept>

namespace dkpsite {

namespace {

std::string hex(const unsigned char* bytes, std::size_t size) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0xfu];
    }
    return text;
}

} // namespace

std::string csrfToken(const std::string& binding) {
    static constexpr char kPurpose[] = "dkpsite form token";
    unsigned char mac[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    HMAC(EVP_sha256(), binding.data(), static_cast<int>(binding.size()),
         reinterpret_cast<const unsigned char*>(kPurpose), sizeof kPurpose - 1, mac, &size);
    return hex(mac, size);
}

bool csrfTokenMatches(const std::string& binding, const std::string& token) {
    if (binding.empty())
        return false;
    const std::string expected = csrfToken(binding);
    return token.size() == expected.size() &&
           CRYPTO_memcmp(token.data(), expected.data(), token.size()) == 0;
}

std::string randomToken() {
    unsigned char bytes[16];
    if (RAND_bytes(bytes, sizeof bytes) != 1)
        throw std::runtime_error("no random numbers for a token");
    return hex(bytes, sizeof bytes);
}

} // namespace dkpsite
