// What Pelldrop takes from outside: the copy-data block another program sends and the first line
// of its configuration file. The first input byte chooses the claimed block size (up to the real
// size, as the system copies exactly that many bytes between processes) and which bytes count as
// lead bytes of a double-byte code page; the rest is the block and the file. Nothing outside the
// block may be read, the text holds no zero byte, and the folder always ends with one backslash
// that is no trail byte.
#include "pelldrop/CopyDataText.h"
#include "pelldrop/PelldropConfig.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
bool isOddLeadByte(unsigned char ch)
{
  return ch >= 0x81 && (ch & 1) != 0;
}

bool isNoLeadByte(unsigned char)
{
  return false;
}

void checkCopyData(const char* pBlock, size_t cbClaimed)
{
  std::string strText;
  bool fRead = CopyDataText::read(pBlock, cbClaimed, strText);
  if (fRead != (pBlock != nullptr && cbClaimed != 0))
    std::abort();
  if (strText.size() > cbClaimed || std::memchr(strText.data(), 0, strText.size()) != nullptr)
    std::abort();
  if (fRead && std::memcmp(strText.data(), pBlock, strText.size()) != 0)
    std::abort();
}

void checkConfigLine(const char* pData, size_t cbData, PelldropConfig::IsLeadByteFunction pfnIsLeadByte)
{
  std::string strFolder;
  if (!PelldropConfig::parseFirstLine(pData, cbData, strFolder))
  {
    if (cbData != 0)
      std::abort();
    return;
  }
  if (strFolder.size() > PelldropConfig::kcchMaxFolder || strFolder.find('\n') != std::string::npos)
    std::abort();
  std::string strWithBackslash = PelldropConfig::withTrailingBackslash(strFolder, pfnIsLeadByte);
  if (strWithBackslash.empty() || strWithBackslash.back() != '\\' ||
      strWithBackslash.compare(0, strFolder.size(), strFolder) != 0 || strWithBackslash.size() > strFolder.size() + 1)
    std::abort();
  // Without double-byte characters a second pass adds nothing (a folder ending in a lone lead byte
  // turns the added backslash into a trail byte, so there it may).
  if (pfnIsLeadByte == isNoLeadByte && PelldropConfig::withTrailingBackslash(strWithBackslash, isNoLeadByte) != strWithBackslash)
    std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  if (nSize < 1)
    return 0;
  unsigned char chControl = pData[0];
  size_t cbBlock = nSize - 1;
  // A heap copy of exactly the block's size, so the address sanitizer sees any read beyond it.
  char* pBlock = static_cast<char*>(std::malloc(cbBlock == 0 ? 1 : cbBlock));
  if (cbBlock != 0)
    std::memcpy(pBlock, pData + 1, cbBlock);
  size_t cbClaimed = cbBlock == 0 ? 0 : (chControl >> 1) % (cbBlock + 1);
  if (chControl >= 0xF0)
    cbClaimed = cbBlock;
  checkCopyData(cbBlock == 0 ? nullptr : pBlock, cbClaimed);
  checkConfigLine(cbBlock == 0 ? nullptr : pBlock, cbBlock, (chControl & 1) != 0 ? isOddLeadByte : isNoLeadByte);
  std::free(pBlock);
  return 0;
}
