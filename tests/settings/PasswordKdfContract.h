#pragma once

#include "settings/PasswordKdf.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// One key derivation under test: a name for the test's title and a maker.
struct KdfMaker
{
  const char* pszName;
  std::unique_ptr<PasswordKdf> (*pfnMake)();
};

// The contract every key derivation is held to (SettingsPasswordTest.cpp); each build instantiates
// it with the derivations it has.
class PasswordKdfContract : public ::testing::TestWithParam<KdfMaker>
{
protected:
  void SetUp() override { m_pKdf = GetParam().pfnMake(); }

  std::string derive(const std::string& strPassword, const std::string& strSalt, uint32_t dwIterations,
                     size_t cbKey = 32)
  {
    std::string strKey;
    EXPECT_TRUE(m_pKdf->deriveKey(strPassword, strSalt, dwIterations, cbKey, strKey));
    return strKey;
  }

  std::unique_ptr<PasswordKdf> m_pKdf;
};

inline std::string hexOf(const std::string& strBytes)
{
  static const char krgch[] = "0123456789abcdef";
  std::string strHex;
  for (char ch : strBytes)
  {
    strHex += krgch[static_cast<unsigned char>(ch) >> 4];
    strHex += krgch[static_cast<unsigned char>(ch) & 0x0F];
  }
  return strHex;
}
