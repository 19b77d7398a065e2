#pragma once

#include "PasswordKdf.h"

// PBKDF2 with HMAC-SHA-256 and the system's preferred random generator, both from bcrypt.dll.
class SystemPasswordKdf : public PasswordKdf
{
public:
  bool deriveKey(const std::string& strPassword, const std::string& strSalt, uint32_t dwIterations, size_t cbKey,
                 std::string& strKey) override;
  bool randomBytes(size_t cb, std::string& strBytes) override;
};
