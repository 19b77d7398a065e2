#include "CopyDataText.h"

#include <cstring>

bool CopyDataText::read(const void* pData, size_t cbData, std::string& strText)
{
  strText.clear();
  if (pData == nullptr || cbData == 0)
    return false;
  const char* pch = static_cast<const char*>(pData);
  const void* pZero = std::memchr(pch, '\0', cbData);
  size_t cbText = pZero != nullptr ? static_cast<size_t>(static_cast<const char*>(pZero) - pch) : cbData;
  strText.assign(pch, cbText);
  return true;
}
