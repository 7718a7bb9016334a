// Platform piece: the digest comes from the system, never from code of our own.
#include "report/sha256.hpp"

#include <stdexcept>

#ifdef _WIN32
// bcrypt.h needs the types of windows.h first.
#include <windows.h>

#include <bcrypt.h>
#else
#include <openssl/evp.h>
#endif

namespace korvane::lancheck {

namespace {

std::string ToHex(const unsigned char* digest, std::size_t length) {
    static const char* const digits = "0123456789abcdef";
    std::string hex;
    for (std::size_t i = 0; i < length; ++i) {
        hex += digits[digest[i] >> 4];
        hex += digits[digest[i] & 0x0f];
    }
    return hex;
}

} // namespace

#ifdef _WIN32

// BCRYPT_SHA256_ALG_HANDLE needs Windows 10; opening the provider works on every version.
struct CngHash {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
};

Sha256::Sha256() {
    auto* cng = new CngHash;
    if (!BCRYPT_SUCCESS(
            BCryptOpenAlgorithmProvider(&cng->algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0)) ||
        !BCRYPT_SUCCESS(BCryptCreateHash(cng->algorithm, &cng->hash, nullptr, 0, nullptr, 0, 0))) {
        if (cng->algorithm != nullptr) {
            BCryptCloseAlgorithmProvider(cng->algorithm, 0);
        }
        delete cng;
        throw std::runtime_error("SHA-256 is not available");
    }
    state_ = cng;
}

Sha256::~Sha256() {
    auto* cng = static_cast<CngHash*>(state_);
    BCryptDestroyHash(cng->hash);
    BCryptCloseAlgorithmProvider(cng->algorithm, 0);
    delete cng;
}

void Sha256::Add(const std::string& bytes) {
    auto* cng = static_cast<CngHash*>(state_);
    auto* data = reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data()));
    if (!BCRYPT_SUCCESS(BCryptHashData(cng->hash, data, static_cast<ULONG>(bytes.size()), 0))) {
        throw std::runtime_error("SHA-256 failed");
    }
}

std::string Sha256::Hex() {
    unsigned char digest[32];
    if (!BCRYPT_SUCCESS(
            BCryptFinishHash(static_cast<CngHash*>(state_)->hash, digest, sizeof digest, 0))) {
        throw std::runtime_error("SHA-256 failed");
    }
    return ToHex(digest, sizeof digest);
}

#else

Sha256::Sha256() {
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    if (context == nullptr || EVP_DigestInit_ex(context, EVP_sha256(), nullptr) != 1) {
        EVP_MD_CTX_free(context);
        throw std::runtime_error("SHA-256 is not available");
    }
    state_ = context;
}

Sha256::~Sha256() {
    EVP_MD_CTX_free(static_cast<EVP_MD_CTX*>(state_));
}

void Sha256::Add(const std::string& bytes) {
    if (EVP_DigestUpdate(static_cast<EVP_MD_CTX*>(state_), bytes.data(), bytes.size()) != 1) {
        throw std::runtime_error("SHA-256 failed");
    }
}

std::string Sha256::Hex() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(static_cast<EVP_MD_CTX*>(state_), digest, &length) != 1) {
        throw std::runtime_error("SHA-256 failed");
    }
    return ToHex(digest, length);
}

#endif

std::string ShortSha256(const std::string& bytes) {
    Sha256 hash;
    hash.Add(bytes);
    return hash.Hex().substr(0, ShortDigits);
}

} // namespace korvane::lancheck
