#include "digest.h"

#include <algorithm>
#include <vector>
#include <windows.h>

#include <bcrypt.h> // after windows.h, whose types it uses

namespace encrypt {
namespace {

// An algorithm provider and a hash object of it, released when they go out of scope.
class Hash {
public:
    explicit Hash(const wchar_t* algorithm) {
        if (!BCRYPT_SUCCESS(::BCryptOpenAlgorithmProvider(&provider_, algorithm, nullptr, 0)))
            provider_ = nullptr;
        else if (!BCRYPT_SUCCESS(::BCryptCreateHash(provider_, &hash_, nullptr, 0, nullptr, 0, 0)))
            hash_ = nullptr;
    }
    ~Hash() {
        if (hash_ != nullptr)
            ::BCryptDestroyHash(hash_);
        if (provider_ != nullptr)
            ::BCryptCloseAlgorithmProvider(provider_, 0);
    }
    Hash(const Hash&) = delete;
    Hash& operator=(const Hash&) = delete;

    bool add(std::string_view data) {
        while (!data.empty()) {
            const ULONG chunk = static_cast<ULONG>(std::min<std::size_t>(data.size(), 1u << 30));
            auto* bytes = reinterpret_cast<PUCHAR>(const_cast<char*>(data.data()));
            if (hash_ == nullptr || !BCRYPT_SUCCESS(::BCryptHashData(hash_, bytes, chunk, 0)))
                return false;
            data.remove_prefix(chunk);
        }
        return hash_ != nullptr;
    }

    std::vector<unsigned char> finish() {
        DWORD length = 0;
        ULONG got = 0;
        if (hash_ == nullptr || !BCRYPT_SUCCESS(::BCryptGetProperty(
                                    hash_, BCRYPT_HASH_LENGTH, reinterpret_cast<PUCHAR>(&length),
                                    sizeof length, &got, 0)))
            return {};
        std::vector<unsigned char> digest(length);
        if (!BCRYPT_SUCCESS(::BCryptFinishHash(hash_, digest.data(), length, 0)))
            return {};
        return digest;
    }

private:
    BCRYPT_ALG_HANDLE provider_ = nullptr;
    BCRYPT_HASH_HANDLE hash_ = nullptr;
};

} // namespace

std::string digestHex(Digest kind, std::string_view data) {
    Hash hash(kind == Digest::Sha256 ? BCRYPT_SHA256_ALGORITHM : BCRYPT_MD5_ALGORITHM);
    if (!hash.add(data))
        return {};
    const std::vector<unsigned char> digest = hash.finish();
    return digest.empty() ? std::string() : toHex(digest.data(), digest.size());
}

} // namespace encrypt
