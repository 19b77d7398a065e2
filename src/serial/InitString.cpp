#include "InitString.h"

std::string encodeInitString(const std::string& strInitString)
{
  std::string strBytes;
  for (size_t i = 0; i < strInitString.size(); ++i)
  {
    unsigned char c = static_cast<unsigned char>(strInitString[i]);
    if (c != '^')
    {
      strBytes += static_cast<char>(c);
      continue;
    }
    // A caret at the very end has nothing to shift and is dropped.
    if (++i == strInitString.size())
      break;
    c = static_cast<unsigned char>(strInitString[i]);
    if (c >= 'A' && c <= 'Z')
      c = static_cast<unsigned char>(c - 0x40);
    else if (c >= 0x61 && c <= 0x7F)
      c = static_cast<unsigned char>(c - 0x60);
    strBytes += static_cast<char>(c);
  }
  return strBytes;
}
