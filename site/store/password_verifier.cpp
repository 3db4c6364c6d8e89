#include "store/password_verifier.h"

#include "utilkit/encrypt.h"
#include "utilkit/ustring.h"

#include <charconv>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>
#include <stdexcept>
#include <vector>

namespace dkpsite {

namespace {

constexpr std::string_view kScheme = "pbkdf2-sha256";
constexpr size_t kSaltBytes = 16;
constexpr size_t kKeyBytes = 32;
// Stored verifiers name their own iteration count; a count beyond this is not one the site
// made, and would make a login hang.
constexpr int kMaxIterations = 10'000'000;

std::string toHex(const std::vector<unsigned char>& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const unsigned char byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xfu];
    }
    return text;
}

std::vector<unsigned char> fromHex(std::string_view text) {
    std::vector<unsigned char> bytes;
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        unsigned value = 0;
        const auto [end, status] = std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
        if (status != std::errc() || end != text.data() + i + 2)
            return {};
        bytes.push_back(static_cast<unsigned char>(value));
    }
    return text.size() % 2 == 0 ? bytes : std::vector<unsigned char>();
}

std::vector<unsigned char> deriveKey(std::string_view secret,
                                     const std::vector<unsigned char>& salt, int iterations) {
    std::vector<unsigned char> key(kKeyBytes);
    if (PKCS5_PBKDF2_HMAC(secret.data(), static_cast<int>(secret.size()), salt.data(),
                          static_cast<int>(salt.size()), iterations, EVP_sha256(),
                          static_cast<int>(key.size()), key.data()) != 1)
        throw std::runtime_error("cannot derive a password key");
    return key;
}

// The next '$'-separated field of `rest`, which loses it.
std::string_view nextField(std::string_view& rest) {
    const size_t end = rest.find('$');
    const std::string_view field = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return field;
}

} // namespace

std::string makePasswordVerifier(std::string_view secret, int iterations) {
    std::vector<unsigned char> salt(kSaltBytes);
    if (RAND_bytes(salt.data(), static_cast<int>(salt.size())) != 1)
        throw std::runtime_error("no random bytes for a password salt");
    return std::string(kScheme) + "$" + std::to_string(iterations) + "$" + toHex(salt) + "$" +
           toHex(deriveKey(secret, salt, iterations));
}

std::string clientPasswordDigest(std::string_view utf8Password) {
    return encrypt::SHA(
        ustring::toNarrowString(ustring::fromUtf8(utf8Password), ustring::kAnsiCodePage));
}

bool matchesPasswordVerifier(std::string_view verifier, std::string_view secret) {
    std::string_view rest = verifier;
    if (nextField(rest) != kScheme)
        return false;
    const std::string_view countText = nextField(rest);
    int iterations = 0;
    const auto [end, status] =
        std::from_chars(countText.data(), countText.data() + countText.size(), iterations);
    if (status != std::errc() || end != countText.data() + countText.size() || iterations < 1 ||
        iterations > kMaxIterations)
        return false;
    const std::vector<unsigned char> salt = fromHex(nextField(rest));
    const std::vector<unsigned char> expected = fromHex(rest);
    if (salt.empty() || expected.size() != kKeyBytes)
        return false;
    const std::vector<unsigned char> key = deriveKey(secret, salt, iterations);
    return CRYPTO_memcmp(key.data(), expected.data(), kKeyBytes) == 0;
}

bool isCurrentPasswordVerifier(std::string_view verifier, int iterations) {
    std::string_view rest = verifier;
    return nextField(rest) == kScheme && nextField(rest) == std::to_string(iterations);
}

} // namespace dkpsite
