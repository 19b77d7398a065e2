#include "EAN128.h"

#include "Assert.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace
{
const char kchGroupSeparator = 29;

// printf into a std::string; the values shown in error texts are data of any length.
template <typename... Args>
std::string format(const char* pszFormat, Args... args)
{
  int nLen = std::snprintf(nullptr, 0, pszFormat, args...);
  QB_ASSERT(nLen >= 0);
  std::vector<char> rgBuffer(static_cast<size_t>(nLen) + 1);
  std::snprintf(rgBuffer.data(), rgBuffer.size(), pszFormat, args...);
  return std::string(rgBuffer.data(), static_cast<size_t>(nLen));
}

bool isDigit(char ch)
{
  return ch >= '0' && ch <= '9';
}

bool isAllDigits(const std::string& str)
{
  for (char ch : str)
    if (!isDigit(ch))
      return false;
  return true;
}

// GS1 character set 82: digits, letters, the double quote and ! % & ' ( ) * + , - . / : ; < = > ? _
bool isCharacterSet82(char ch, bool fRejectBlanks)
{
  if (isDigit(ch) || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'))
    return true;
  if (ch == ' ')
    return !fRejectBlanks;
  return ch != '\0' && std::strchr("\"!%&'()*+,-./:;<=>?_", ch) != nullptr;
}

// GS1 fixes the length of the AIs that begin with these two digits; after their elements a
// reader knows where the next AI starts, so a group separator there is a fault. Every other
// fixed-length element must be ended by a separator when another element follows it.
bool isLengthPredefined(const char* pszAI)
{
  int nPrefix = (pszAI[0] - '0') * 10 + (pszAI[1] - '0');
  return (nPrefix >= 0 && nPrefix <= 4) || (nPrefix >= 11 && nPrefix <= 20) ||
         (nPrefix >= 31 && nPrefix <= 36) || nPrefix == 41;
}

// The digits as a fixed-point number with nDecimals decimals ("001234", 2 -> "12.34"). Works on the
// digits themselves, so the up to 15-digit amounts come out exactly where a 32-bit integer would
// overflow.
std::string renderDecimal(const std::string& strDigits, int nDecimals)
{
  size_t nFirst = strDigits.find_first_not_of('0');
  std::string strNumber = nFirst == std::string::npos ? std::string("0") : strDigits.substr(nFirst);
  if (nDecimals == 0)
    return strNumber;
  size_t cDecimals = static_cast<size_t>(nDecimals);
  if (strNumber.size() <= cDecimals)
    strNumber.insert(0, cDecimals + 1 - strNumber.size(), '0');
  strNumber.insert(strNumber.size() - cDecimals, 1, '.');
  return strNumber;
}

std::vector<std::string> splitFormat(const char* pszFormat)
{
  std::vector<std::string> rgstrParts;
  std::string strPart;
  for (const char* p = pszFormat; *p; ++p)
  {
    if (*p == '+')
    {
      rgstrParts.push_back(strPart);
      strPart.clear();
    }
    else
      strPart += *p;
  }
  rgstrParts.push_back(strPart);
  return rgstrParts;
}
}  // namespace

EAN128::EAN128() : m_fRejectBlanks(true), m_nFieldCount(0), m_rgFields()
{
}

const EAN128::AIDefinition* EAN128::findAIDefinition(const char* pszData)
{
  QB_ASSERT(NULL != pszData);
  for (const AIDefinition& definition : krgAIDefinitions)
    if (std::strncmp(definition.pszAI, pszData, std::strlen(definition.pszAI)) == 0)
      return &definition;
  return nullptr;
}

bool EAN128::parse(const char* pszData)
{
  QB_ASSERT(NULL != pszData);
  m_nFieldCount = 0;
  const char* p = pszData;
  const char* pEnd = pszData + std::strlen(pszData);
  while (p < pEnd)
  {
    if (!parseElement(p, pEnd))
      return false;
  }
  return true;
}

// One AI and all its values; p moves behind them (and behind a separator that ends them).
bool EAN128::parseElement(const char*& p, const char* pEnd)
{
  const AIDefinition* pDefinition = findAIDefinition(p);
  if (pDefinition == nullptr)
    return fail(format("Invalid AI identifier (%.5s...)", p));
  p += std::strlen(pDefinition->pszAI);

  int nDecimals = 0;
  if (pDefinition->nDecimalPoint >= 0)
  {
    // The decimal count is part of the printed AI; data that stops before it holds no value.
    if (p == pEnd)
      return fail(format("The AI expects %d characters to follow AI, there's only %d characters.", 1, 0));
    nDecimals = isDigit(*p) ? *p - '0' : 0;
    ++p;
  }

  std::vector<std::string> rgstrSpecifiers = splitFormat(pDefinition->pszFormat);
  bool fLastFixed = false;
  for (size_t i = 1; i < rgstrSpecifiers.size(); ++i)
  {
    Specifier spec;
    std::string strValue;
    if (!readSpecifier(rgstrSpecifiers[i], spec) || !readValue(spec, p, pEnd, strValue) ||
        !checkValue(spec, strValue))
      return false;
    if (pDefinition->nDecimalPoint >= 0 && i + 1 == rgstrSpecifiers.size())
      strValue = renderDecimal(strValue, nDecimals);
    if (!storeField(pDefinition->pszAI, strValue))
      return false;
    fLastFixed = spec.nMin == spec.nMax;
  }

  // Scanners end these elements with a separator when another element follows, as GS1 requires.
  if (fLastFixed && !isLengthPredefined(pDefinition->pszAI) && p < pEnd && *p == kchGroupSeparator)
    ++p;
  return true;
}

// "n14", "an..20": the type, then a fixed length or ".." and a maximum (minimum 1).
bool EAN128::readSpecifier(const std::string& strSpecifier, Specifier& spec)
{
  std::string strRest;
  if (strSpecifier.compare(0, 2, "an") == 0)
  {
    spec.fAlphanumeric = true;
    strRest = strSpecifier.substr(2);
  }
  else if (strSpecifier.compare(0, 1, "n") == 0)
  {
    spec.fAlphanumeric = false;
    strRest = strSpecifier.substr(1);
  }
  else
    return fail("A single format specifier must start with 'n' or 'an'");

  if (strRest.compare(0, 2, "..") == 0)
  {
    std::string strMax = strRest.substr(2);
    if (strMax.empty() || strMax.size() > 4 || !isAllDigits(strMax))
      return fail("'..' must be followed by a numeric string.");
    spec.nMin = 1;
    spec.nMax = std::stoi(strMax);
    return true;
  }
  if (strRest.empty() || strRest.size() > 4 || !isAllDigits(strRest))
    return fail("'n' or 'an' must be followed by '..' or a numeric string.");
  spec.nMin = spec.nMax = std::stoi(strRest);
  return true;
}

bool EAN128::readValue(const Specifier& spec, const char*& p, const char* pEnd, std::string& strValue)
{
  int nRemaining = static_cast<int>(pEnd - p);
  if (spec.nMin == spec.nMax)
  {
    // No separator is skipped here: behind a predefined length the next AI follows at once.
    if (nRemaining < spec.nMin)
      return fail(format("The AI expects %d characters to follow AI, there's only %d characters.",
                         spec.nMin, nRemaining));
    strValue.assign(p, static_cast<size_t>(spec.nMin));
    p += spec.nMin;
    return true;
  }
  // The minimum counts the characters left, not the value: "10<GS>21X" gives 10 an empty value.
  if (nRemaining < spec.nMin)
    return fail(format("The AI expects at least %d characters to follow AI, there's only %d characters.",
                       spec.nMin, nRemaining));
  const char* pStop = p;
  while (pStop < pEnd && *pStop != kchGroupSeparator)
    ++pStop;
  strValue.assign(p, pStop);
  p = pStop < pEnd ? pStop + 1 : pStop;
  return true;
}

bool EAN128::checkValue(const Specifier& spec, const std::string& strValue)
{
  for (char ch : strValue)
  {
    if (!spec.fAlphanumeric && !isDigit(ch))
      return fail(format("Data must be numeric [%s]", strValue.c_str()));
    if (spec.fAlphanumeric && !isCharacterSet82(ch, m_fRejectBlanks))
      return fail(format("Data must be alphanumeric [%s]", strValue.c_str()));
  }
  return true;
}

// The slots are fixed; data with more or longer elements than they hold is refused rather than cut.
bool EAN128::storeField(const char* pszAI, const std::string& strValue)
{
  if (m_nFieldCount >= MAX_DATAFIELDS)
    return fail(format("The data holds more than %d fields.", static_cast<int>(MAX_DATAFIELDS)));
  if (strValue.size() > MAX_FIELDLEN)
    return fail(format("The value of AI %s is longer than %d characters.", pszAI,
                       static_cast<int>(MAX_FIELDLEN)));
  QB_ASSERT(std::strlen(pszAI) <= MAX_AILEN);
  Field& field = m_rgFields[m_nFieldCount];
  std::memcpy(field.szAI, pszAI, std::strlen(pszAI) + 1);
  std::memcpy(field.szValue, strValue.c_str(), strValue.size() + 1);
  ++m_nFieldCount;
  return true;
}

bool EAN128::fail(const std::string& strError)
{
  m_pszError.reset(new char[strError.size() + 1]);
  std::memcpy(m_pszError.get(), strError.c_str(), strError.size() + 1);
  return false;
}

const char* EAN128::getField(const char* pszAI) const
{
  QB_ASSERT(NULL != pszAI);
  for (int i = 0; i < m_nFieldCount; ++i)
    if (std::strcmp(m_rgFields[i].szAI, pszAI) == 0)
      return m_rgFields[i].szValue;
  return nullptr;
}

const char* EAN128::getFieldAI(int nField) const
{
  QB_ASSERT(nField >= 0 && nField < m_nFieldCount);
  return m_rgFields[nField].szAI;
}

const char* EAN128::getFieldValue(int nField) const
{
  QB_ASSERT(nField >= 0 && nField < m_nFieldCount);
  return m_rgFields[nField].szValue;
}
