#include "NullByte.h"

const char* const kszNullByte = "[NULL]";

void appendExpandingNulls(std::string& strTarget, const char* pBytes, size_t nBytes)
{
  for (size_t i = 0; i < nBytes; ++i)
  {
    if (pBytes[i] == '\0')
      strTarget += kszNullByte;
    else
      strTarget += pBytes[i];
  }
}

std::string expandNullBytes(const std::string& strBytes)
{
  std::string strOut;
  appendExpandingNulls(strOut, strBytes.data(), strBytes.size());
  return strOut;
}
