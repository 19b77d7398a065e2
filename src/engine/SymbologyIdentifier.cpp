#include "SymbologyIdentifier.h"

namespace
{
bool isLetter(char ch)
{
  return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}
}  // namespace

std::string SymbologyIdentifier::leading(const std::string& strText)
{
  if (strText.size() >= 3 && strText[0] == ']' && isLetter(strText[1]) && strText[2] >= '0' && strText[2] <= '9')
    return strText.substr(0, 3);
  return std::string();
}

// GS1-128 (]C1), the GS1 DataBar family and its composites (]e0 to ]e2), GS1 DataMatrix (]d2, and
// ]d5 with an ECI), GS1 QR Code (]Q3, and ]Q4 with an ECI) and GS1 DotCode (]J1). EAN/UPC (]E0 ...)
// and ITF-14 carry a bare GTIN, not an element string.
bool SymbologyIdentifier::isGS1(const std::string& strIdentifier)
{
  static const char* const krgGS1[] = {"]C1", "]e0", "]e1", "]e2", "]d2", "]d5", "]Q3", "]Q4", "]J1"};
  for (const char* pszGS1 : krgGS1)
    if (strIdentifier == pszGS1)
      return true;
  return false;
}
