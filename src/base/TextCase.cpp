#include "TextCase.h"

#include <cctype>

bool equalsIgnoringCase(const std::string& strA, const std::string& strB)
{
  if (strA.size() != strB.size())
    return false;
  for (size_t i = 0; i < strA.size(); ++i)
  {
    if (std::tolower(static_cast<unsigned char>(strA[i])) != std::tolower(static_cast<unsigned char>(strB[i])))
      return false;
  }
  return true;
}
