// The settings password's stored form: plain values as older versions stored them, hash records
// of passwords set now, damaged records, and the check of a typed password against each. The
// contract of the key derivation runs against the native stand-in and, under Wine, against bcrypt.
#include "FakePasswordKdf.h"
#include "PasswordKdfContract.h"
#include "settings/SettingsPassword.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using Form = SettingsPassword::Form;

const std::string kstrSalt16(32, 'a');  // 16 bytes of 0xAA, as hex
const std::string kstrKey32(64, '5');   // 32 bytes of 0x55, as hex

std::string record(const std::string& strIterations, const std::string& strSaltHex, const std::string& strKeyHex)
{
  return std::string("$pbkdf2-sha256$") + strIterations + "$" + strSaltHex + "$" + strKeyHex;
}
}  // namespace

TEST(SettingsPasswordParse, TellsNonePlainHashedAndDamagedApart)
{
  struct Row
  {
    const char* pszWhat;
    std::string strStored;
    Form form;
  };
  const Row rgRows[] = {
      {"empty", "", Form::None},
      {"plain text", "Secret1", Form::Plain},
      {"plain text with dollars", "$ecret$", Form::Plain},
      {"plain text like another scheme", "$pbkdf2-sha1$1$aa$bb", Form::Plain},
      {"30 characters", std::string(30, 'x'), Form::Plain},
      {"a record", record("100000", kstrSalt16, kstrKey32), Form::Hashed},
      {"upper-case hex", record("1", std::string(32, 'A'), std::string(64, 'F')), Form::Hashed},
      {"largest counts and sizes", record("5000000", std::string(128, '0'), std::string(128, '1')), Form::Hashed},
      {"smallest sizes", record("1", std::string(16, '0'), std::string(32, '1')), Form::Hashed},
      {"prefix alone", "$pbkdf2-sha256$", Form::Damaged},
      {"two fields", "$pbkdf2-sha256$1$" + kstrSalt16, Form::Damaged},
      {"four fields", record("1", kstrSalt16, kstrKey32) + "$00", Form::Damaged},
      {"no iterations", record("", kstrSalt16, kstrKey32), Form::Damaged},
      {"zero iterations", record("0", kstrSalt16, kstrKey32), Form::Damaged},
      {"leading zero", record("0100", kstrSalt16, kstrKey32), Form::Damaged},
      {"signed iterations", record("+100", kstrSalt16, kstrKey32), Form::Damaged},
      {"too many iterations", record("5000001", kstrSalt16, kstrKey32), Form::Damaged},
      {"iterations beyond 32 bits", record("99999999999", kstrSalt16, kstrKey32), Form::Damaged},
      {"odd salt hex", record("1", std::string(31, 'a'), kstrKey32), Form::Damaged},
      {"salt too short", record("1", std::string(14, 'a'), kstrKey32), Form::Damaged},
      {"salt too long", record("1", std::string(130, 'a'), kstrKey32), Form::Damaged},
      {"key too short", record("1", kstrSalt16, std::string(30, '5')), Form::Damaged},
      {"key too long", record("1", kstrSalt16, std::string(130, '5')), Form::Damaged},
      {"not hex", record("1", std::string(31, 'a') + "g", kstrKey32), Form::Damaged},
      {"blank inside", record("1", kstrSalt16, std::string(63, '5') + " "), Form::Damaged},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszWhat);
    EXPECT_EQ(row.form, SettingsPassword::parse(row.strStored).form);
  }
}

TEST(SettingsPasswordParse, RecordPartsComeBackFromTheirFormat)
{
  std::string strSalt("\x00\x01\xFE\xFF salt bytes", 16);
  std::string strKey(32, '\x9C');
  std::string strStored = SettingsPassword::format(123456, strSalt, strKey);
  EXPECT_EQ("$pbkdf2-sha256$123456$" + hexOf(strSalt) + "$" + hexOf(strKey), strStored);
  SettingsPassword::Parsed parsed = SettingsPassword::parse(strStored);
  ASSERT_EQ(Form::Hashed, parsed.form);
  EXPECT_EQ(123456u, parsed.dwIterations);
  EXPECT_EQ(strSalt, parsed.strSalt);
  EXPECT_EQ(strKey, parsed.strKey);
}

TEST(SettingsPasswordCompare, ConstantTimeEqualsIsPlainEquality)
{
  struct Row
  {
    std::string strA;
    std::string strB;
    bool fEqual;
  };
  const Row rgRows[] = {
      {"", "", true},          {"abc", "abc", true},   {"abc", "abd", false}, {"abc", "ABC", false},
      {"abc", "abcd", false},  {"abcd", "abc", false}, {"", "a", false},      {std::string("a\0b", 3), "a", false},
      {std::string("a\0", 2), std::string("a\0", 2), true},                   {"\xFF", "\x7F", false},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(hexOf(row.strA) + " vs " + hexOf(row.strB));
    EXPECT_EQ(row.fEqual, SettingsPassword::constantTimeEquals(row.strA, row.strB));
  }
}

TEST(SettingsPasswordCheck, PlainValuesAsOlderVersionsStoredThemStillWork)
{
  FakePasswordKdf kdf;
  EXPECT_TRUE(SettingsPassword::matches("Secret1", "Secret1", kdf));
  EXPECT_FALSE(SettingsPassword::matches("Secret1", "secret1", kdf)) << "letter case counts";
  EXPECT_FALSE(SettingsPassword::matches("Secret1", "Secret", kdf));
  EXPECT_FALSE(SettingsPassword::matches("Secret1", "Secret12", kdf));
  EXPECT_FALSE(SettingsPassword::matches("Secret1", "", kdf));
  EXPECT_EQ(0, kdf.m_nDerivations) << "a plain value needs no key derivation";
}

TEST(SettingsPasswordCheck, NewPasswordsAreStoredHashedAndOnlyTheirTextOpensThem)
{
  FakePasswordKdf kdf;
  std::string strStored;
  ASSERT_TRUE(SettingsPassword::makeStored("Secret1", kdf, strStored));
  EXPECT_EQ(std::string::npos, strStored.find("Secret1")) << strStored;
  SettingsPassword::Parsed parsed = SettingsPassword::parse(strStored);
  ASSERT_EQ(Form::Hashed, parsed.form) << strStored;
  EXPECT_EQ(SettingsPassword::kdwIterations, parsed.dwIterations);
  EXPECT_EQ(SettingsPassword::kcbSalt, parsed.strSalt.size());
  EXPECT_EQ(SettingsPassword::kcbKey, parsed.strKey.size());

  struct Row
  {
    const char* pszTyped;
    bool fMatches;
  };
  for (const Row& row : {Row{"Secret1", true}, Row{"secret1", false}, Row{"SECRET1", false}, Row{"Secret", false},
                         Row{"Secret1 ", false}, Row{"", false}})
  {
    SCOPED_TRACE(row.pszTyped);
    EXPECT_EQ(row.fMatches, SettingsPassword::matches(strStored, row.pszTyped, kdf));
  }
  EXPECT_FALSE(SettingsPassword::matches(strStored, strStored, kdf)) << "the record itself is no password";
}

TEST(SettingsPasswordCheck, EverySettingGetsItsOwnSalt)
{
  FakePasswordKdf kdf;
  std::string strFirst;
  std::string strSecond;
  ASSERT_TRUE(SettingsPassword::makeStored("same", kdf, strFirst));
  ASSERT_TRUE(SettingsPassword::makeStored("same", kdf, strSecond));
  EXPECT_NE(strFirst, strSecond);
  EXPECT_TRUE(SettingsPassword::matches(strFirst, "same", kdf));
  EXPECT_TRUE(SettingsPassword::matches(strSecond, "same", kdf));
}

TEST(SettingsPasswordCheck, EmptyTextRemovesThePassword)
{
  FakePasswordKdf kdf;
  std::string strStored = "unchanged";
  ASSERT_TRUE(SettingsPassword::makeStored("", kdf, strStored));
  EXPECT_EQ("", strStored);
  EXPECT_EQ(Form::None, SettingsPassword::parse(strStored).form);
}

TEST(SettingsPasswordCheck, DamagedRecordsAndFailingCryptographyLetNobodyIn)
{
  FakePasswordKdf kdf;
  std::string strStored;
  ASSERT_TRUE(SettingsPassword::makeStored("Secret1", kdf, strStored));
  std::string strDamaged = strStored.substr(0, strStored.size() - 1) + "x";
  EXPECT_FALSE(SettingsPassword::matches(strDamaged, "Secret1", kdf));
  EXPECT_FALSE(SettingsPassword::matches(strDamaged, strDamaged, kdf));
  EXPECT_FALSE(SettingsPassword::matches("$pbkdf2-sha256$", "$pbkdf2-sha256$", kdf));

  kdf.m_fFailDerive = true;
  EXPECT_FALSE(SettingsPassword::matches(strStored, "Secret1", kdf));
  std::string strNew = "unchanged";
  EXPECT_FALSE(SettingsPassword::makeStored("Other", kdf, strNew));
  kdf.m_fFailDerive = false;
  kdf.m_fFailRandom = true;
  EXPECT_FALSE(SettingsPassword::makeStored("Other", kdf, strNew));
  EXPECT_EQ("unchanged", strNew);
}

// What every key derivation must do, the stand-in and the system's alike (the system's is
// instantiated by the Windows tests).
TEST_P(PasswordKdfContract, KeyDependsOnEveryInputAndNothingElse)
{
  std::string strKey = derive("Secret1", "0123456789abcdef", 10);
  EXPECT_EQ(32u, strKey.size());
  EXPECT_EQ(strKey, derive("Secret1", "0123456789abcdef", 10));
  EXPECT_NE(strKey, derive("secret1", "0123456789abcdef", 10));
  EXPECT_NE(strKey, derive("Secret1", "0123456789abcdeF", 10));
  EXPECT_NE(strKey, derive("Secret1", "0123456789abcdef", 11));
  EXPECT_EQ(16u, derive("Secret1", "0123456789abcdef", 10, 16).size());
  EXPECT_EQ(64u, derive("Secret1", "0123456789abcdef", 10, 64).size());
  EXPECT_EQ(32u, derive("", "0123456789abcdef", 1).size()) << "an empty password still derives";
  EXPECT_EQ(32u, derive("\xE5\xE4\xF6", "0123456789abcdef", 1).size());
}

TEST_P(PasswordKdfContract, RandomBytesDifferFromCallToCall)
{
  std::string strFirst;
  std::string strSecond;
  ASSERT_TRUE(m_pKdf->randomBytes(16, strFirst));
  ASSERT_TRUE(m_pKdf->randomBytes(16, strSecond));
  EXPECT_EQ(16u, strFirst.size());
  EXPECT_NE(strFirst, strSecond);
}

TEST_P(PasswordKdfContract, StoredPasswordRoundTrips)
{
  std::string strStored;
  ASSERT_TRUE(SettingsPassword::makeStored("\xC5rhus 30", *m_pKdf, strStored));
  EXPECT_TRUE(SettingsPassword::matches(strStored, "\xC5rhus 30", *m_pKdf));
  EXPECT_FALSE(SettingsPassword::matches(strStored, "\xE5rhus 30", *m_pKdf));
}

INSTANTIATE_TEST_SUITE_P(Fake, PasswordKdfContract,
                         ::testing::Values(KdfMaker{"fake", [] { return std::unique_ptr<PasswordKdf>(
                                                                   std::make_unique<FakePasswordKdf>()); }}),
                         [](const ::testing::TestParamInfo<KdfMaker>& info) { return std::string(info.param.pszName); });
