#include "digest.h"

#include <openssl/evp.h>

namespace encrypt {

std::string digestHex(Digest kind, std::string_view data) {
    const EVP_MD* method = kind == Digest::Sha256 ? EVP_sha256() : EVP_md5();
    unsigned char bytes[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(data.data(), data.size(), bytes, &length, method, nullptr) != 1)
        return {};
    return toHex(bytes, length);
}

} // namespace encrypt
