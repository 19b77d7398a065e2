#include "SettingsPassword.h"

#include "PasswordKdf.h"

#include <cstring>

const char SettingsPassword::kszPrefix[] = "$pbkdf2-sha256$";

namespace
{
int hexValue(char ch)
{
  if (ch >= '0' && ch <= '9')
    return ch - '0';
  if (ch >= 'a' && ch <= 'f')
    return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F')
    return ch - 'A' + 10;
  return -1;
}

bool decodeHex(const std::string& strHex, size_t cbMin, size_t cbMax, std::string& strBytes)
{
  if (strHex.size() % 2 != 0 || strHex.size() / 2 < cbMin || strHex.size() / 2 > cbMax)
    return false;
  strBytes.clear();
  for (size_t i = 0; i < strHex.size(); i += 2)
  {
    int nHigh = hexValue(strHex[i]);
    int nLow = hexValue(strHex[i + 1]);
    if (nHigh < 0 || nLow < 0)
      return false;
    strBytes += static_cast<char>(nHigh * 16 + nLow);
  }
  return true;
}

std::string encodeHex(const std::string& strBytes)
{
  static const char krgchDigits[] = "0123456789abcdef";
  std::string strHex;
  for (char ch : strBytes)
  {
    unsigned char by = static_cast<unsigned char>(ch);
    strHex += krgchDigits[by >> 4];
    strHex += krgchDigits[by & 0x0F];
  }
  return strHex;
}

// Plain decimal without sign or leading zero, 1 to the maximum.
bool decodeIterations(const std::string& strDigits, uint32_t& dwIterations)
{
  if (strDigits.empty() || strDigits.size() > 10 || strDigits[0] == '0')
    return false;
  uint64_t qwValue = 0;
  for (char ch : strDigits)
  {
    if (ch < '0' || ch > '9')
      return false;
    qwValue = qwValue * 10 + static_cast<uint64_t>(ch - '0');
  }
  if (qwValue > SettingsPassword::kdwMaxIterations)
    return false;
  dwIterations = static_cast<uint32_t>(qwValue);
  return true;
}

// Splits "a$b$c" into exactly three fields; false for any other count.
bool splitThree(const std::string& strRest, std::string& strFirst, std::string& strSecond, std::string& strThird)
{
  size_t nFirstEnd = strRest.find('$');
  if (nFirstEnd == std::string::npos)
    return false;
  size_t nSecondEnd = strRest.find('$', nFirstEnd + 1);
  if (nSecondEnd == std::string::npos || strRest.find('$', nSecondEnd + 1) != std::string::npos)
    return false;
  strFirst = strRest.substr(0, nFirstEnd);
  strSecond = strRest.substr(nFirstEnd + 1, nSecondEnd - nFirstEnd - 1);
  strThird = strRest.substr(nSecondEnd + 1);
  return true;
}
}  // namespace

// A value that starts with the prefix is never taken for a plain password: no password typed into
// the old 30-character field can be confused with a record, and a record damaged in the registry
// must not turn into a password that its own text opens.
SettingsPassword::Parsed SettingsPassword::parse(const std::string& strStored)
{
  Parsed parsed;
  if (strStored.empty())
    return parsed;
  size_t cchPrefix = std::strlen(kszPrefix);
  if (strStored.compare(0, cchPrefix, kszPrefix) != 0)
  {
    parsed.form = Form::Plain;
    return parsed;
  }
  parsed.form = Form::Damaged;
  std::string strIterations;
  std::string strSaltHex;
  std::string strKeyHex;
  Parsed record;
  if (!splitThree(strStored.substr(cchPrefix), strIterations, strSaltHex, strKeyHex)
      || !decodeIterations(strIterations, record.dwIterations)
      || !decodeHex(strSaltHex, kcbMinSalt, kcbMaxSalt, record.strSalt)
      || !decodeHex(strKeyHex, kcbMinKey, kcbMaxKey, record.strKey))
    return parsed;
  record.form = Form::Hashed;
  return record;
}

std::string SettingsPassword::format(uint32_t dwIterations, const std::string& strSalt, const std::string& strKey)
{
  return kszPrefix + std::to_string(dwIterations) + "$" + encodeHex(strSalt) + "$" + encodeHex(strKey);
}

bool SettingsPassword::makeStored(const std::string& strTyped, PasswordKdf& kdf, std::string& strStored)
{
  if (strTyped.empty())
  {
    strStored.clear();
    return true;
  }
  std::string strSalt;
  std::string strKey;
  if (!kdf.randomBytes(kcbSalt, strSalt) || strSalt.size() != kcbSalt
      || !kdf.deriveKey(strTyped, strSalt, kdwIterations, kcbKey, strKey) || strKey.size() != kcbKey)
    return false;
  strStored = format(kdwIterations, strSalt, strKey);
  return true;
}

bool SettingsPassword::matches(const std::string& strStored, const std::string& strTyped, PasswordKdf& kdf)
{
  Parsed parsed = parse(strStored);
  switch (parsed.form)
  {
  case Form::None:
    return strTyped.empty();
  case Form::Plain:
    return constantTimeEquals(strStored, strTyped);
  case Form::Hashed:
  {
    std::string strKey;
    if (!kdf.deriveKey(strTyped, parsed.strSalt, parsed.dwIterations, parsed.strKey.size(), strKey))
      return false;
    return constantTimeEquals(parsed.strKey, strKey);
  }
  case Form::Damaged:
  default:
    return false;
  }
}

// Every byte position up to the longer length is visited whatever the contents, so the time
// tells an observer nothing about where the texts first differ.
bool SettingsPassword::constantTimeEquals(const std::string& strA, const std::string& strB)
{
  size_t cbLonger = strA.size() > strB.size() ? strA.size() : strB.size();
  unsigned nDifference = strA.size() == strB.size() ? 0u : 1u;
  for (size_t i = 0; i < cbLonger; ++i)
  {
    unsigned char byA = i < strA.size() ? static_cast<unsigned char>(strA[i]) : 0;
    unsigned char byB = i < strB.size() ? static_cast<unsigned char>(strB[i]) : 0;
    nDifference |= static_cast<unsigned>(byA ^ byB);
  }
  return nDifference == 0;
}
