#pragma once

#include <cstdint>
#include <string>

// What the settings password needs of the system's cryptography: PBKDF2 with HMAC-SHA-256 and
// random bytes for salts. The Windows layer asks bcrypt; native tests use a stand-in.
class PasswordKdf
{
public:
  virtual ~PasswordKdf() = default;

  // The cbKey-byte key derived from the password and salt; false when the system refused.
  virtual bool deriveKey(const std::string& strPassword, const std::string& strSalt, uint32_t dwIterations,
                         size_t cbKey, std::string& strKey) = 0;
  // cb random bytes fit for a salt; false when the system refused.
  virtual bool randomBytes(size_t cb, std::string& strBytes) = 0;
};
