#include "DigitalLinkUri.h"

#include <cstring>
#include <set>

namespace
{
// Each primary key with the qualifiers it may carry, in their order; "|" separates alternatives.
struct PrimaryKey
{
  const char* pszAI;
  const char* pszQualifiers;
};

const PrimaryKey krgPrimaryKeys[] = {
  {"00", ""},      {"01", "22,10,21|235"}, {"253", ""},     {"255", ""},    {"401", ""},     {"402", ""},
  {"414", "254|7040"}, {"415", "8020"},    {"417", "7040"}, {"8003", ""},   {"8004", "7040"}, {"8006", "22,10,21"},
  {"8010", "8011"}, {"8013", ""},          {"8017", "8019"}, {"8018", "8019"},
};

// AIs that may only stand in the path (as qualifiers) or not in a Digital Link at all, and the
// rows kept from earlier tables that GS1 no longer assigns.
const char* const krgNotAttributes[] = {"03", "21", "22", "235", "252", "254", "7040", "7041", "8011",
                                        "8014", "8019", "8020", "8100", "8101", "8102", "8200"};

// A key qualifier path has at most three qualifiers after its key: eight segments.
const size_t kcMaxKeySegments = 8;

const PrimaryKey* findPrimaryKey(const std::string& strAI)
{
  for (const PrimaryKey& key : krgPrimaryKeys)
    if (strAI == key.pszAI)
      return &key;
  return nullptr;
}

bool isAttribute(const std::string& strAI)
{
  for (const char* pszAI : krgNotAttributes)
    if (strAI == pszAI)
      return false;
  return true;
}

bool isDigits(const std::string& strText)
{
  if (strText.empty())
    return false;
  for (char ch : strText)
    if (ch < '0' || ch > '9')
      return false;
  return true;
}

bool startsWithIgnoringCase(const std::string& strText, const char* pszPrefix)
{
  size_t n = std::strlen(pszPrefix);
  if (strText.size() < n)
    return false;
  for (size_t i = 0; i < n; ++i)
  {
    char ch = strText[i];
    if (ch >= 'A' && ch <= 'Z')
      ch = static_cast<char>(ch - 'A' + 'a');
    if (ch != pszPrefix[i])
      return false;
  }
  return true;
}

int hexValue(char ch)
{
  if (ch >= '0' && ch <= '9')
    return ch - '0';
  if (ch >= 'A' && ch <= 'F')
    return ch - 'A' + 10;
  if (ch >= 'a' && ch <= 'f')
    return ch - 'a' + 10;
  return -1;
}

// "%2F" becomes "/"; a "%" without two hexadecimal digits makes the address invalid.
bool percentDecode(const std::string& strText, std::string& strDecoded)
{
  strDecoded.clear();
  for (size_t i = 0; i < strText.size(); ++i)
  {
    if (strText[i] != '%')
    {
      strDecoded += strText[i];
      continue;
    }
    int nHigh = i + 2 < strText.size() ? hexValue(strText[i + 1]) : -1;
    int nLow = nHigh >= 0 ? hexValue(strText[i + 2]) : -1;
    if (nLow < 0)
      return false;
    strDecoded += static_cast<char>(nHigh * 16 + nLow);
    i += 2;
  }
  return true;
}

std::vector<std::string> split(const std::string& strText, char chSeparator)
{
  std::vector<std::string> rgstrParts;
  size_t nStart = 0;
  for (;;)
  {
    size_t nEnd = strText.find(chSeparator, nStart);
    rgstrParts.push_back(strText.substr(nStart, nEnd == std::string::npos ? std::string::npos : nEnd - nStart));
    if (nEnd == std::string::npos)
      return rgstrParts;
    nStart = nEnd + 1;
  }
}

// Whether the qualifier AIs follow, in order, one of the key's alternative sequences.
bool qualifiersInOrder(const PrimaryKey& key, const std::vector<std::string>& rgstrQualifiers)
{
  if (rgstrQualifiers.empty())
    return true;
  for (const std::string& strSequence : split(key.pszQualifiers, '|'))
  {
    std::vector<std::string> rgstrAllowed = split(strSequence, ',');
    size_t nNext = 0;
    bool fFits = true;
    for (const std::string& strQualifier : rgstrQualifiers)
    {
      while (nNext < rgstrAllowed.size() && rgstrAllowed[nNext] != strQualifier)
        ++nNext;
      if (nNext == rgstrAllowed.size())
      {
        fFits = false;
        break;
      }
      ++nNext;
    }
    if (fFits)
      return true;
  }
  return false;
}

// GTIN-8, -12 and -13 are written as 14 digits with leading zeros; older links wrote them short.
void padShortGtin(GS1Element& element)
{
  size_t n = element.strValue.size();
  if (element.strAI == "01" && (n == 8 || n == 12 || n == 13) && isDigits(element.strValue))
    element.strValue.insert(0, 14 - n, '0');
}

// The key and its qualifiers from the end of the path: the first place within the last segments
// where a primary key starts pairs of AI and value that run to the end in the key's order.
bool readPath(const std::vector<std::string>& rgstrSegments, std::vector<GS1Element>& rgElements,
              std::string& strReason)
{
  size_t nSegments = rgstrSegments.size();
  size_t nFirst = nSegments > kcMaxKeySegments ? nSegments - kcMaxKeySegments : 0;
  strReason = "no GS1 primary key in the path";
  for (size_t i = nFirst; i + 1 < nSegments; ++i)
  {
    const PrimaryKey* pKey = findPrimaryKey(rgstrSegments[i]);
    if (pKey == nullptr || (nSegments - i) % 2 != 0)
      continue;
    std::vector<std::string> rgstrQualifiers;
    for (size_t j = i + 2; j < nSegments; j += 2)
      rgstrQualifiers.push_back(rgstrSegments[j]);
    if (!qualifiersInOrder(*pKey, rgstrQualifiers))
    {
      strReason = "the key qualifiers in the path do not belong to AI (" + rgstrSegments[i] + ") in this order";
      continue;
    }
    rgElements.clear();
    for (size_t j = i; j < nSegments; j += 2)
    {
      GS1Element element{rgstrSegments[j], std::string()};
      if (!percentDecode(rgstrSegments[j + 1], element.strValue))
      {
        strReason = "broken percent-encoding in the path";
        return false;
      }
      rgElements.push_back(element);
    }
    return true;
  }
  return false;
}

// Data attributes: parameters with an all-numeric key are AIs; any other parameter is not GS1's.
bool readQuery(const std::string& strQuery, std::vector<GS1Element>& rgElements, std::string& strReason)
{
  for (const std::string& strParameter : split(strQuery, '&'))
  {
    size_t nEquals = strParameter.find('=');
    std::string strKey = strParameter.substr(0, nEquals);
    if (!isDigits(strKey))
      continue;
    if (nEquals == std::string::npos)
      strReason = "AI (" + strKey + ") in the query has no value";
    else if (GS1ElementString::findPrintedAI(strKey) == nullptr)
      strReason = "unknown AI (" + strKey + ") in the query";
    else if (!isAttribute(strKey))
      strReason = "AI (" + strKey + ") may not stand in the query";
    else
      strReason.clear();
    if (!strReason.empty())
      return false;
    GS1Element element{strKey, std::string()};
    if (!percentDecode(strParameter.substr(nEquals + 1), element.strValue))
    {
      strReason = "broken percent-encoding in the query";
      return false;
    }
    rgElements.push_back(element);
  }
  return true;
}
}  // namespace

bool DigitalLinkUri::looksLikeUri(const std::string& strText)
{
  return startsWithIgnoringCase(strText, "http://") || startsWithIgnoringCase(strText, "https://");
}

bool DigitalLinkUri::read(const std::string& strUri, std::vector<GS1Element>& rgElements, std::string& strReason)
{
  rgElements.clear();
  if (!looksLikeUri(strUri))
  {
    strReason = "not a web address";
    return false;
  }
  std::string strAddress = strUri.substr(0, strUri.find('#'));
  size_t nQuery = strAddress.find('?');
  std::string strQuery = nQuery == std::string::npos ? std::string() : strAddress.substr(nQuery + 1);
  strAddress.resize(nQuery == std::string::npos ? strAddress.size() : nQuery);
  size_t nPath = strAddress.find('/', strAddress.find("//") + 2);
  if (nPath == std::string::npos)
  {
    strReason = "no GS1 primary key in the path";
    return false;
  }
  std::vector<std::string> rgstrSegments = split(strAddress.substr(nPath + 1), '/');
  if (!readPath(rgstrSegments, rgElements, strReason) || !readQuery(strQuery, rgElements, strReason))
    return false;

  std::set<std::string> setAIs;
  for (GS1Element& element : rgElements)
  {
    padShortGtin(element);
    if (!GS1ElementString::check(element, true, strReason))
      return false;
    if (!setAIs.insert(element.strAI).second)
    {
      strReason = "AI (" + element.strAI + ") appears twice";
      return false;
    }
  }
  strReason.clear();
  return true;
}
