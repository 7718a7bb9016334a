#pragma once
// SHA-256 from the system's own cryptography: CNG on Windows, OpenSSL's libcrypto elsewhere.
#include <string>

namespace korvane::lancheck {

class Sha256 {
  public:
    Sha256(); // throws std::runtime_error when the system offers no SHA-256
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void Add(const std::string& bytes);
    std::string Hex(); // the digest in lower-case hexadecimal; call once

  private:
    void* state_ = nullptr;
};

} // namespace korvane::lancheck
