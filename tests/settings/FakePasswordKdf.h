#pragma once

#include "settings/PasswordKdf.h"

#include <cstdint>
#include <string>

// A stand-in for the system's PBKDF2 in native tests: deterministic, depends on every input, and
// cheap whatever the iteration count. No cryptographic strength; the contract tests hold it to the
// behaviour of the real one, which runs under Wine. Failures can be switched on.
class FakePasswordKdf : public PasswordKdf
{
public:
  bool deriveKey(const std::string& strPassword, const std::string& strSalt, uint32_t dwIterations, size_t cbKey,
                 std::string& strKey) override
  {
    ++m_nDerivations;
    if (m_fFailDerive)
      return false;
    std::string strInput = strPassword + '\xFF' + strSalt + '\xFF' + std::to_string(dwIterations);
    strKey.clear();
    for (size_t i = 0; strKey.size() < cbKey; ++i)
    {
      uint64_t qwHash = 14695981039346656037ull ^ (i * 0x9E3779B97F4A7C15ull);
      for (char ch : strInput)
        qwHash = (qwHash ^ static_cast<unsigned char>(ch)) * 1099511628211ull;
      for (int nByte = 0; nByte < 8 && strKey.size() < cbKey; ++nByte)
        strKey += static_cast<char>((qwHash >> (8 * nByte)) & 0xFF);
    }
    return true;
  }

  bool randomBytes(size_t cb, std::string& strBytes) override
  {
    if (m_fFailRandom)
      return false;
    strBytes.clear();
    for (size_t i = 0; i < cb; ++i)
    {
      m_qwState = m_qwState * 6364136223846793005ull + 1442695040888963407ull;
      strBytes += static_cast<char>(m_qwState >> 56);
    }
    return true;
  }

  bool m_fFailDerive = false;
  bool m_fFailRandom = false;
  int m_nDerivations = 0;

private:
  uint64_t m_qwState = 0x853C49E6748FEA9Bull;
};
