// The system's key derivation (bcrypt.dll; under Wine, Wine's own bcrypt): held to the contract
// of the native stand-in and to the published PBKDF2-HMAC-SHA-256 keys.
#include "PasswordKdfContract.h"
#include "settings/SettingsPassword.h"
#include "settings/SystemPasswordKdf_win.h"

#include <gtest/gtest.h>

#include <chrono>

INSTANTIATE_TEST_SUITE_P(System, PasswordKdfContract,
                         ::testing::Values(KdfMaker{"system", [] { return std::unique_ptr<PasswordKdf>(
                                                                     std::make_unique<SystemPasswordKdf>()); }}),
                         [](const ::testing::TestParamInfo<KdfMaker>& info) { return std::string(info.param.pszName); });

// RFC 7914, section 11, and one more with a salt of every byte value below 16 and a password
// with a code page 1252 letter, computed independently.
TEST(SystemPasswordKdf, GivesThePublishedPbkdf2Sha256Keys)
{
  struct Row
  {
    std::string strPassword;
    std::string strSalt;
    uint32_t dwIterations;
    size_t cbKey;
    const char* pszKeyHex;
  };
  std::string strSalt16;
  for (int i = 0; i < 16; ++i)
    strSalt16 += static_cast<char>(i);
  const Row rgRows[] = {
      {"passwd", "salt", 1, 64,
       "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc"
       "49ca9cccf179b645991664b39d77ef317c71b845b1e30bd509112041d3a19783"},
      {"Password", "NaCl", 80000, 64,
       "4ddcd8f60b98be21830cee5ef22701f9641a4418d04c0414aeff08876b34ab56"
       "a1d425a1225833549adb841b51c9b3176a272bdebba1d078478f62b397f33c8d"},
      {"password", "salt", 2, 32, "ae4d0c95af6b46d32d0adff928f06dd02a303f8ef3c251dfd6e2d85a95474c43"},
      {"P\xE5ss", strSalt16, 1000, 32, "6aabf40055228cd3b2ac216e07912fc52093ebaff2cd0c5a3026fdb1ac74ce2b"},
  };
  SystemPasswordKdf kdf;
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.strPassword + " / " + std::to_string(row.dwIterations));
    std::string strKey;
    ASSERT_TRUE(kdf.deriveKey(row.strPassword, row.strSalt, row.dwIterations, row.cbKey, strKey));
    EXPECT_EQ(row.pszKeyHex, hexOf(strKey));
  }
}
