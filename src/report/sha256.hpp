#pragma once
// SHA-256 from the system's own cryptography: CNG on Windows, OpenSSL's libcrypto elsewhere.
#include <array>
#include <cstddef>
#include <string>

namespace korvane::lancheck {

class Sha256 {
  public:
    Sha256(); // throws std::runtime_error when the system offers no SHA-256
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void Add(const std::string& bytes);
    void Add(const char* data, std::size_t size);
    // The digest; call one of them, once.
    std::string Hex(); // in lower-case hexadecimal
    std::array<unsigned char, 32> Bytes();

  private:
    void* state_ = nullptr;
};

// A digest in 64 lower-case hexadecimal digits.
std::string DigestHex(const std::array<unsigned char, 32>& digest);

// How reports write a digest: the first 12 hexadecimal digits of the SHA-256.
inline constexpr std::size_t ShortDigits = 12;
std::string ShortSha256(const std::string& bytes);

} // namespace korvane::lancheck
