// Normalising any scan must not crash or read out of bounds, must leave what it does not convert
// as it came (only a symbology identifier taken off), and whatever it converts must be an element
// string the GS1-128 parser reads (at most failing on its ten slots). The first byte chooses the forms.
#include "engine/EAN128.h"
#include "engine/GS1Normaliser.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
void check(bool fCondition)
{
  if (!fCondition)
    std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  if (nSize == 0)
    return 0;
  uint32_t dwForms = pData[0] & 7u;
  std::string strInput(reinterpret_cast<const char*>(pData + 1), nSize - 1);

  GS1Normaliser::Result result = GS1Normaliser::normalise(strInput, dwForms);
  check(strInput.compare(0, result.strSymbology.size(), result.strSymbology) == 0);
  check(result.strSymbology.empty() || (dwForms & GS1Normaliser::kSymbologyIdentifiers) != 0);
  std::string strRest = strInput.substr(result.strSymbology.size());
  if (dwForms == 0 || result.form == GS1Normaliser::Form::kAsReceived ||
      result.form == GS1Normaliser::Form::kElementString)
    check(result.strText == strRest);
  if (!result.strNotConverted.empty())
    check(result.form == GS1Normaliser::Form::kAsReceived);

  if (result.form == GS1Normaliser::Form::kDigitalLink || result.form == GS1Normaliser::Form::kBracketed)
  {
    EAN128 parser;
    bool fOk = parser.parse(result.strText);
    check(fOk || std::strcmp(parser.getError(), "The data holds more than 10 fields.") == 0);
    check(std::strchr(result.strText.c_str(), '\0') == result.strText.c_str() + result.strText.size());
  }
  return 0;
}
