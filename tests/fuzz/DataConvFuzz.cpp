// Parsing any text must not crash; rendering then parsing must give back the same bytes; and
// parsing a rendering's output again must give the same rendering (the canonical form is stable).
#include "base/DataConv.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  std::string strInput(reinterpret_cast<const char*>(pData), nSize);

  std::string strParsed;
  if (DataConv::parse(strInput, strParsed))
  {
    std::string strCanonical = DataConv::render(strParsed);
    std::string strAgain;
    if (!DataConv::parse(strCanonical, strAgain) || strAgain != strParsed)
      std::abort();
  }

  std::string strBack;
  if (!DataConv::parse(DataConv::render(strInput), strBack) || strBack != strInput)
    std::abort();
  return 0;
}
