#include "EAN128.h"

#include "base/Assert.h"
#include "StringFormat.h"

#include <algorithm>
#include <cstring>

namespace
{
const char kchGroupSeparator = 29;

// Hand-written rather than strncmp: the lookup runs over 128 rows for every element, and nearly
// every row fails on the first character.
bool startsWith(const char* pszData, const char* pszPrefix)
{
  for (; *pszPrefix != '\0'; ++pszPrefix, ++pszData)
    if (*pszData != *pszPrefix)
      return false;
  return true;
}

bool isDigit(char ch)
{
  return ch >= '0' && ch <= '9';
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
}  // namespace

// GS1 character set 82: digits, letters, the double quote and ! % & ' ( ) * + , - . / : ; < = > ? _;
// set 39: digits, capitals and # - /; the base64url set: digits, letters, - _ and the padding =.
bool EAN128::isAllowed(Charset charset, char ch)
{
  bool fDigit = isDigit(ch);
  bool fCapital = ch >= 'A' && ch <= 'Z';
  bool fSmall = ch >= 'a' && ch <= 'z';
  switch (charset)
  {
  case Charset::kNumeric:
    return fDigit;
  case Charset::kCset39:
    return fDigit || fCapital || ch == '#' || ch == '-' || ch == '/';
  case Charset::kCset64:
    return fDigit || fCapital || fSmall || ch == '-' || ch == '_' || ch == '=';
  case Charset::kCset82:
    break;
  }
  return fDigit || fCapital || fSmall || (ch != '\0' && std::strchr("\"!%&'()*+,-./:;<=>?_", ch) != nullptr);
}

// After the elements of these AIs a reader knows where the next AI starts, so a group separator
// there is a fault. Every other fixed-length element must be ended by a separator when another
// element follows it.
bool EAN128::isLengthPredefined(const char* pszAI)
{
  int nPrefix = (pszAI[0] - '0') * 10 + (pszAI[1] - '0');
  return (nPrefix >= 0 && nPrefix <= 4) || (nPrefix >= 11 && nPrefix <= 20) ||
         (nPrefix >= 31 && nPrefix <= 36) || nPrefix == 41;
}

EAN128::EAN128() : m_fRejectBlanks(true), m_nFieldCount(0), m_rgFields()
{
}

const EAN128::AIDefinition* EAN128::findAIDefinition(const char* pszData)
{
  QB_ASSERT(NULL != pszData);
  for (const AIDefinition& definition : krgAIDefinitions)
    if (startsWith(pszData, definition.pszAI))
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
    return fail(formatString("Invalid AI identifier (%.5s...)", p));
  p += std::strlen(pDefinition->pszAI);

  int nDecimals = 0;
  if (pDefinition->nDecimalPoint >= 0)
  {
    // The decimal count is part of the printed AI; data that stops before it holds no value.
    if (p == pEnd)
      return fail(formatString("The AI expects %d characters to follow AI, there's only %d characters.", 1, 0));
    nDecimals = isDigit(*p) ? *p - '0' : 0;
    ++p;
  }

  // The first specifier describes the AI itself; each further one describes one value.
  const char* pszSpecifier = std::strchr(pDefinition->pszFormat, '+');
  bool fLastFixed = false;
  while (pszSpecifier != nullptr)
  {
    ++pszSpecifier;
    const char* pszNext = std::strchr(pszSpecifier, '+');
    Specifier spec;
    std::string strValue;
    const char* pszError = readSpecifier(pszSpecifier, pszNext ? pszNext : pszSpecifier + std::strlen(pszSpecifier), spec);
    if (pszError != nullptr)
      return fail(pszError);
    // The element ends before an optional value that is not there; the ones after it are optional too.
    if (spec.fOptional && !holdsOptionalValue(spec, p, pEnd))
      break;
    if (!readValue(spec, p, pEnd, strValue) || !checkValue(spec, strValue))
      return false;
    if (pDefinition->nDecimalPoint >= 0 && pszNext == nullptr)
      strValue = renderDecimal(strValue, nDecimals);
    if (!storeField(pDefinition->pszAI, strValue))
      return false;
    fLastFixed = spec.nMin == spec.nMax;
    pszSpecifier = pszNext;
  }

  // Scanners end these elements with a separator when another element follows, as GS1 requires.
  if (fLastFixed && !isLengthPredefined(pDefinition->pszAI) && p < pEnd && *p == kchGroupSeparator)
    ++p;
  return true;
}

// "n14", "an..20", "[n..12]": the type ("n", "an", "y" for set 39, "z" for base64url), then a fixed
// length or ".." and a maximum (minimum 1); brackets make the value optional.
const char* EAN128::readSpecifier(const char* pszSpecifier, const char* pszEnd, Specifier& spec)
{
  const char* p = pszSpecifier;
  spec.fOptional = pszEnd - p >= 2 && p[0] == '[' && pszEnd[-1] == ']';
  if (spec.fOptional)
  {
    ++p;
    --pszEnd;
  }
  if (pszEnd - p >= 2 && p[0] == 'a' && p[1] == 'n')
  {
    spec.charset = Charset::kCset82;
    p += 2;
  }
  else if (pszEnd - p >= 1 && (p[0] == 'n' || p[0] == 'y' || p[0] == 'z'))
  {
    spec.charset = p[0] == 'n' ? Charset::kNumeric : p[0] == 'y' ? Charset::kCset39 : Charset::kCset64;
    p += 1;
  }
  else
    return "A single format specifier must start with 'n' or 'an'";

  bool fVariable = pszEnd - p >= 2 && p[0] == '.' && p[1] == '.';
  if (fVariable)
    p += 2;
  // Lengths have at most three digits; more would be a broken table, not a longer field.
  int nLength = 0;
  if (p == pszEnd || pszEnd - p > 3 || !std::all_of(p, pszEnd, isDigit))
    return fVariable ? "'..' must be followed by a numeric string."
                     : "'n' or 'an' must be followed by '..' or a numeric string.";
  for (; p < pszEnd; ++p)
    nLength = nLength * 10 + (*p - '0');
  spec.nMin = fVariable ? 1 : nLength;
  spec.nMax = nLength;
  return nullptr;
}

// An optional value is there when the element's data goes on (no separator, not the end) and what
// follows fits it. The fit matters for data written before the value became optional: "425" used
// to be one country, so "425" 276 "10ABC" still gives the batch ABC.
bool EAN128::holdsOptionalValue(const Specifier& spec, const char* p, const char* pEnd) const
{
  bool fFixed = spec.nMin == spec.nMax;
  const char* pStop = p;
  while (pStop < pEnd && *pStop != kchGroupSeparator && (!fFixed || pStop - p < spec.nMin))
    ++pStop;
  if (pStop == p || (fFixed && pStop - p < spec.nMin))
    return false;
  for (; p < pStop; ++p)
    if (!isAllowed(spec.charset, *p))
      return false;
  return true;
}

bool EAN128::readValue(const Specifier& spec, const char*& p, const char* pEnd, std::string& strValue)
{
  int nRemaining = static_cast<int>(pEnd - p);
  if (spec.nMin == spec.nMax)
  {
    // No separator is skipped here: behind a predefined length the next AI follows at once.
    if (nRemaining < spec.nMin)
      return fail(formatString("The AI expects %d characters to follow AI, there's only %d characters.",
                               spec.nMin, nRemaining));
    strValue.assign(p, static_cast<size_t>(spec.nMin));
    p += spec.nMin;
    return true;
  }
  // The minimum counts the characters left, not the value: "10<GS>21X" gives 10 an empty value.
  if (nRemaining < spec.nMin)
    return fail(formatString("The AI expects at least %d characters to follow AI, there's only %d characters.",
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
    if (isAllowed(spec.charset, ch) || (ch == ' ' && spec.charset == Charset::kCset82 && !m_fRejectBlanks))
      continue;
    if (spec.charset == Charset::kNumeric)
      return fail(formatString("Data must be numeric [%s]", strValue.c_str()));
    return fail(formatString("Data must be alphanumeric [%s]", strValue.c_str()));
  }
  return true;
}

// The slots are fixed; data with more or longer elements than they hold is refused rather than cut.
bool EAN128::storeField(const char* pszAI, const std::string& strValue)
{
  if (m_nFieldCount >= MAX_DATAFIELDS)
    return fail(formatString("The data holds more than %d fields.", static_cast<int>(MAX_DATAFIELDS)));
  if (strValue.size() > MAX_FIELDLEN)
    return fail(formatString("The value of AI %s is longer than %d characters.", pszAI,
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
  m_pszError = std::make_unique<char[]>(strError.size() + 1);
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
