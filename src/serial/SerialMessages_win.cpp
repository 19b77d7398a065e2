#include "SerialMessages_win.h"

#include "HandedOverBlocks.h"

#include <cstdint>
#include <cstring>
#include <mutex>

namespace
{
HandedOverBlocks& handedOverBlocks()
{
  static HandedOverBlocks s_blocks;
  return s_blocks;
}

// One poster at a time, so that the blocks are listed in the order their messages are posted.
std::mutex& postMutex()
{
  static std::mutex s_mutex;
  return s_mutex;
}

std::uintptr_t key(HWND hwnd)
{
  return reinterpret_cast<std::uintptr_t>(hwnd);
}

void takeBlocks(const std::vector<std::uintptr_t>& rgBlocks, std::vector<std::string>& rgstrDataStrings)
{
  HANDLE hHeap = GetProcessHeap();
  for (std::uintptr_t nBlock : rgBlocks)
  {
    char* pszBlock = reinterpret_cast<char*>(nBlock);
    rgstrDataStrings.emplace_back(pszBlock);
    HeapFree(hHeap, 0, pszBlock);
  }
}
}  // namespace

bool PostDataString(HWND hwndOwner, const std::string& strDataString)
{
  if (!IsWindow(hwndOwner))
    return false;
  HANDLE hHeap = GetProcessHeap();
  char* pszBlock = static_cast<char*>(HeapAlloc(hHeap, 0, strDataString.size() + 1));
  if (!pszBlock)
    return false;
  std::memcpy(pszBlock, strDataString.c_str(), strDataString.size() + 1);
  std::uintptr_t nBlock = reinterpret_cast<std::uintptr_t>(pszBlock);
  std::lock_guard<std::mutex> lock(postMutex());
  handedOverBlocks().add(key(hwndOwner), nBlock);
  // Fails when the window's posted-message queue is full (10,000 messages); the caller keeps the
  // string and tries again, so the block must not stay allocated meanwhile.
  if (!PostMessageA(hwndOwner, WM_DATASTRING, 0, reinterpret_cast<LPARAM>(pszBlock)))
  {
    handedOverBlocks().remove(key(hwndOwner), nBlock);
    HeapFree(hHeap, 0, pszBlock);
    return false;
  }
  return true;
}

bool takeDataStrings(HWND hwnd, LPARAM lParam, std::vector<std::string>& rgstrDataStrings)
{
  std::vector<std::uintptr_t> rgBlocks =
      handedOverBlocks().takeThrough(key(hwnd), static_cast<std::uintptr_t>(lParam));
  takeBlocks(rgBlocks, rgstrDataStrings);
  return !rgBlocks.empty();
}

std::vector<std::string> takeAllDataStrings(HWND hwnd)
{
  std::vector<std::string> rgstrDataStrings;
  takeBlocks(handedOverBlocks().takeAll(key(hwnd)), rgstrDataStrings);
  return rgstrDataStrings;
}
