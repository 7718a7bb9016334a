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

void Sha256::Add(const char* data, std::size_t size) {
    auto* cng = static_cast<CngHash*>(state_);
    auto* bytes = reinterpret_cast<PUCHAR>(const_cast<char*>(data));
    if (!BCRYPT_SUCCESS(BCryptHashData(cng->hash, bytes, static_cast<ULONG>(size), 0))) {
        throw std::runtime_error("SHA-256 failed");
    }
}

std::array<unsigned char, 32> Sha256::Bytes() {
    std::array<unsigned char, 32> digest{};
    if (!BCRYPT_SUCCESS(BCryptFinishHash(static_cast<CngHash*>(state_)->hash, digest.data(),
                                         static_cast<ULONG>(digest.size()), 0))) {
        throw std::runtime_error("SHA-256 failed");
    }
    return digest;
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

void Sha256::Add(const char* data, std::size_t size) {
    if (EVP_DigestUpdate(static_cast<EVP_MD_CTX*>(state_), data, size) != 1) {
        throw std::runtime_error("SHA-256 failed");
    }
}

std::array<unsigned char, 32> Sha256::Bytes() {
    std::array<unsigned char, 32> digest{};
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(static_cast<EVP_MD_CTX*>(state_), digest.data(), &length) != 1 ||
        length != digest.size()) {
        throw std::runtime_error("SHA-256 failed");
    }
    return digest;
}

#endif

void Sha256::Add(const std::string& bytes) {
    Add(bytes.data(), bytes.size());
}

std::string Sha256::Hex() {
    return DigestHex(Bytes());
}

std::string DigestHex(const std::array<unsigned char, 32>& digest) {
    static const char* const digits = "0123456789abcdef";
    std::string hex;
    for (const unsigned char byte : digest) {
        hex += digits[byte >> 4];
        hex += digits[byte & 0x0f];
    }
    return hex;
}

std::string ShortSha256(const std::string& bytes) {
    Sha256 hash;
    hash.Add(bytes);
    return hash.Hex().substr(0, ShortDigits);
}

} // namespace korvane::lancheck
