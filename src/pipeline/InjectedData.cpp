#include "InjectedData.h"

#include <cstring>

// The checks run cheapest first, and the memory is touched only after the size is known to be
// sane and the whole block readable.
InjectedDataCheck readInjectedData(const void* pData, size_t cbData, IsReadableFunction pfnIsReadable,
                                   std::string& strText)
{
  if (pData == nullptr || cbData == 0)
    return InjectedDataCheck::NoData;
  if (cbData > kcbMaxInjectedData)
    return InjectedDataCheck::TooLarge;
  if (!pfnIsReadable(pData, cbData))
    return InjectedDataCheck::Unreadable;
  const char* pBytes = static_cast<const char*>(pData);
  const void* pZero = std::memchr(pBytes, '\0', cbData);
  if (pZero == nullptr)
    return InjectedDataCheck::Unterminated;
  strText.assign(pBytes, static_cast<const char*>(pZero) - pBytes);
  return InjectedDataCheck::Accepted;
}

const char* describeInjectedDataCheck(InjectedDataCheck check)
{
  switch (check)
  {
  case InjectedDataCheck::Accepted:
    return "accepted";
  case InjectedDataCheck::NoData:
    return "no data";
  case InjectedDataCheck::TooLarge:
    return "too large";
  case InjectedDataCheck::Unreadable:
    return "unreadable";
  case InjectedDataCheck::Unterminated:
    return "no terminating zero";
  }
  return "unknown";
}
