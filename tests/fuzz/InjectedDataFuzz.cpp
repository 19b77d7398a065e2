// Another program's copy-data block: the first four bytes are the byte count it claims, the rest
// the block. Whatever the claim, nothing outside the real block may be read, and an accepted text
// holds no zero byte and is shorter than the claimed count. Every accepted text is then injected,
// repeated to at least 64 KB, into a cutter that lives across all inputs and whose terminator
// hardly ever comes, as from a program that injects without end: its buffer must stay bounded.
#include "pipeline/InjectedData.h"
#include "serial/DataStringCutter.h"
#include "serial/DataStringSink.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
const char* g_pBlock = nullptr;
size_t g_cbBlock = 0;

// Only the real block is readable memory, as the system's page check would find.
bool insideBlock(const void* pData, size_t cbData)
{
  return pData == g_pBlock && cbData <= g_cbBlock;
}

class DiscardingSink : public DataStringSink
{
public:
  void handOver(const std::string& str) override
  {
    if (str.size() > DataStringCutter::kcchMaxDataString)
      std::abort();
  }
  void logRawInput(const std::string&) override {}
  void dataActivity() override {}
  void pinActivity() override {}
  void hideMainWindow() override {}
};

SerialSettings rareTerminator()
{
  SerialSettings settings;
  settings.strDataStringTerminator = "\\x01\\x02\\x03\\x04\\x05";
  return settings;
}

DataStringCutter& longLivedCutter()
{
  static DiscardingSink s_sink;
  static DataStringCutter s_cutter(rareTerminator(), s_sink);
  return s_cutter;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  if (nSize < 4)
    return 0;
  uint32_t cbClaimed;
  std::memcpy(&cbClaimed, pData, 4);
  // A heap copy of exactly the block's size, so the address sanitizer sees any read beyond it.
  size_t cbBlock = nSize - 4;
  char* pBlock = static_cast<char*>(std::malloc(cbBlock == 0 ? 1 : cbBlock));
  if (cbBlock != 0)
    std::memcpy(pBlock, pData + 4, cbBlock);
  g_pBlock = pBlock;
  g_cbBlock = cbBlock;
  std::string strText;
  InjectedDataCheck check = readInjectedData(cbBlock == 0 ? nullptr : pBlock, cbClaimed, insideBlock, strText);
  if (check == InjectedDataCheck::Accepted &&
      (strText.size() >= cbClaimed || std::memchr(strText.data(), 0, strText.size()) != nullptr))
    std::abort();
  if (check != InjectedDataCheck::Accepted && !strText.empty())
    std::abort();
  std::string strInjected = strText;
  while (!strInjected.empty() && strInjected.size() < 64 * 1024)
    strInjected += strInjected;
  if (check == InjectedDataCheck::Accepted)
    longLivedCutter().injectText(strInjected, 0);
  if (longLivedCutter().bufferedLength() > DataStringCutter::kcchMaxDataString)
    std::abort();
  std::free(pBlock);
  return 0;
}
