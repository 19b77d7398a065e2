#include "SerialMessages_win.h"

#include <cstring>

bool PostDataString(HWND hwndOwner, const std::string& strDataString)
{
  if (!IsWindow(hwndOwner))
    return true;
  HANDLE hHeap = GetProcessHeap();
  char* pszBlock = static_cast<char*>(HeapAlloc(hHeap, 0, strDataString.size() + 1));
  if (!pszBlock)
    return false;
  std::memcpy(pszBlock, strDataString.c_str(), strDataString.size() + 1);
  // Fails when the window's posted-message queue is full (10,000 messages); the caller keeps the
  // string and tries again, so the block must not stay allocated meanwhile.
  if (!PostMessageA(hwndOwner, WM_DATASTRING, 0, reinterpret_cast<LPARAM>(pszBlock)))
  {
    HeapFree(hHeap, 0, pszBlock);
    return false;
  }
  return true;
}

std::string takeDataString(LPARAM lParam)
{
  char* pszBlock = reinterpret_cast<char*>(lParam);
  if (!pszBlock)
    return std::string();
  std::string strDataString = pszBlock;
  HeapFree(GetProcessHeap(), 0, pszBlock);
  return strDataString;
}
