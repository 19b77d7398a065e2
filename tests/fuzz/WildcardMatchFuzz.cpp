// wildcardMatch must agree with the recursive rule on short inputs and stay fast on long ones
// (libFuzzer's -timeout catches a slow case: run with -timeout=1).
#include "base/WildcardMatch.h"
#include "WildcardMatchReference.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  FuzzedDataProvider provider(pData, nSize);
  std::string strPattern = provider.ConsumeRandomLengthString(200);
  std::string strText = provider.ConsumeRemainingBytesAsString();

  bool fMatch = wildcardMatch(strText, strPattern);
  // The recursion costs up to text length to the power of the star count: compare only where
  // that stays small.
  if (strText.size() <= 12 && strPattern.size() <= 12)
  {
    if (fMatch != wildcardMatchReference(strText.c_str(), strPattern.c_str()))
      std::abort();
  }
  return 0;
}
