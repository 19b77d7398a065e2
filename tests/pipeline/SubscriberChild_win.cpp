// A stand-in for a subscriber program (such as Pelldrop) or a monitor, run by the subscriber
// protocol tests as a separate process:
//   SubscriberChild_win <quilbar hwnd> subscribe|exclusive|monitor|hang <title> <record file>
//     makes a window with the title, registers it and records every copy-data message it receives
//     as "<identifier> <byte count> <hex bytes>" lines; "hang" registers and then stops pumping.
//     The message WM_APP makes it unsubscribe; WM_CLOSE ends it. "leave" unsubscribes with a
//     synchronous send from inside its handler of the first data message.
//   SubscriberChild_win <quilbar hwnd> count <title> <expected hex bytes>
//     subscribes like "subscribe" but writes nothing: it compares every copy-data message with the
//     expected bytes and answers WM_SUBSCRIBERCHILD_MATCHED and _MISMATCHED with the counts, so a
//     benchmark times the delivery, not a file write.
//   SubscriberChild_win <quilbar hwnd> inject <hex bytes> <byte count>
//     sends one copy-data message with identifier 7 and ends; the exit code is the answer.
//   SubscriberChild_win <quilbar hwnd> post <message name>
//     posts the registered message with lParam 0 and ends.
#include "SubscriberChildMessages_win.h"
#include "pipeline/SubscriberMessages.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
HWND g_hwndQuilbar = NULL;
std::string g_strRecordFile;
bool g_fLeaveOnData = false;
bool g_fCountOnly = false;
std::vector<char> g_rgchExpected;
LRESULT g_nMatched = 0;
LRESULT g_nMismatched = 0;

std::string toHex(const unsigned char* pb, size_t cb)
{
  std::string strHex;
  char szPair[3];
  for (size_t i = 0; i < cb; ++i)
  {
    std::snprintf(szPair, sizeof(szPair), "%02x", pb[i]);
    strHex += szPair;
  }
  return strHex;
}

std::vector<char> fromHex(const std::string& strHex)
{
  std::vector<char> rgch;
  for (size_t i = 0; i + 1 < strHex.size(); i += 2)
    rgch.push_back(static_cast<char>(std::strtoul(strHex.substr(i, 2).c_str(), nullptr, 16)));
  return rgch;
}

void count(const COPYDATASTRUCT* pCopyData)
{
  bool fMatch = pCopyData->cbData == g_rgchExpected.size() &&
                (pCopyData->cbData == 0 || std::memcmp(pCopyData->lpData, g_rgchExpected.data(), pCopyData->cbData) == 0);
  if (fMatch)
    ++g_nMatched;
  else
    ++g_nMismatched;
}

void record(const COPYDATASTRUCT* pCopyData)
{
  FILE* pFile = std::fopen(g_strRecordFile.c_str(), "ab");
  if (pFile == nullptr)
    return;
  std::string strLine = std::to_string(pCopyData->dwData) + " " + std::to_string(pCopyData->cbData) + " " +
                        toHex(static_cast<const unsigned char*>(pCopyData->lpData), pCopyData->cbData) + "\n";
  std::fwrite(strLine.data(), 1, strLine.size(), pFile);
  std::fclose(pFile);
}

LRESULT CALLBACK subscriberProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
  switch (uMsg)
  {
  case WM_COPYDATA:
    if (g_fCountOnly)
    {
      count(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
      return TRUE;
    }
    record(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    if (g_fLeaveOnData)
    {
      g_fLeaveOnData = false;
      SendMessageA(g_hwndQuilbar, RegisterWindowMessageA(kszQuilbar32Unsubscribe), 0, reinterpret_cast<LPARAM>(hwnd));
    }
    return TRUE;
  case WM_APP:
    PostMessageA(g_hwndQuilbar, RegisterWindowMessageA(kszQuilbar32Unsubscribe), 0, reinterpret_cast<LPARAM>(hwnd));
    return 0;
  case WM_SUBSCRIBERCHILD_MATCHED:
    return g_nMatched;
  case WM_SUBSCRIBERCHILD_MISMATCHED:
    return g_nMismatched;
  case WM_DESTROY:
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, uMsg, wParam, lParam);
}

int runSubscriber(const std::string& strMode, const char* pszTitle)
{
  WNDCLASSA wc = {};
  wc.lpfnWndProc = subscriberProc;
  wc.hInstance = GetModuleHandleA(NULL);
  wc.lpszClassName = "QuilbarTestSubscriber";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowA("QuilbarTestSubscriber", pszTitle, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, NULL, NULL,
                            wc.hInstance, NULL);
  if (hwnd == NULL)
    return 2;
  g_fLeaveOnData = strMode == "leave";
  const char* pszMessage = strMode == "exclusive" ? kszQuilbar32SubscribeExclusive
                           : strMode == "monitor" ? kszQuilbar32MonitorSubscribe
                                                  : kszQuilbar32Subscribe;
  PostMessageA(g_hwndQuilbar, RegisterWindowMessageA(pszMessage), 0, reinterpret_cast<LPARAM>(hwnd));
  if (strMode == "hang")
  {
    Sleep(INFINITE);
    return 0;
  }
  MSG msg;
  while (GetMessageA(&msg, NULL, 0, 0) > 0)
  {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

int inject(const std::string& strHex, DWORD cbData)
{
  std::vector<char> rgch = fromHex(strHex);
  rgch.resize(cbData > rgch.size() ? cbData : rgch.size(), 'x');
  COPYDATASTRUCT copyData;
  copyData.dwData = 7;
  copyData.cbData = cbData;
  copyData.lpData = rgch.data();
  return static_cast<int>(SendMessageA(g_hwndQuilbar, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copyData)));
}
}  // namespace

int main(int argc, char** argv)
{
  if (argc < 4)
    return 1;
  g_hwndQuilbar = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(argv[1], nullptr, 10)));
  std::string strMode = argv[2];
  if (strMode == "inject" && argc == 5)
    return inject(argv[3], static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10)));
  if (strMode == "post")
    return PostMessageA(g_hwndQuilbar, RegisterWindowMessageA(argv[3]), 0, 0) ? 0 : 3;
  if (argc < 5)
    return 1;
  if (strMode == "count")
  {
    g_fCountOnly = true;
    g_rgchExpected = fromHex(argv[4]);
  }
  else
  {
    g_strRecordFile = argv[4];
  }
  return runSubscriber(strMode, argv[3]);
}
