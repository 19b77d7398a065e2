#include "DialogDriver_win.h"

#include <commctrl.h>

#include <thread>

namespace dialogdriver
{
namespace
{
struct FindRequest
{
  const std::string* pstrTitle;
  const char* pszClass;
  HWND hwndFound;
};

BOOL CALLBACK matchWindow(HWND hwnd, LPARAM lParam)
{
  auto* pRequest = reinterpret_cast<FindRequest*>(lParam);
  if (!IsWindowVisible(hwnd) || windowText(hwnd) != *pRequest->pstrTitle)
    return TRUE;
  if (pRequest->pszClass != nullptr)
  {
    char szClass[64] = "";
    GetClassNameA(hwnd, szClass, sizeof szClass);
    if (lstrcmpiA(szClass, pRequest->pszClass) != 0)
      return TRUE;
  }
  pRequest->hwndFound = hwnd;
  return FALSE;
}

template <class Condition>
bool pollUntil(Condition fnDone, milliseconds timeout)
{
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!fnDone())
  {
    if (std::chrono::steady_clock::now() >= deadline)
      return false;
    std::this_thread::sleep_for(milliseconds(5));
  }
  return true;
}

std::vector<std::string> readLines(HWND hwndControl, UINT uCount, UINT uTextLength, UINT uText)
{
  std::vector<std::string> rgLines;
  LRESULT nCount = SendMessageA(hwndControl, uCount, 0, 0);
  for (LRESULT i = 0; i < nCount; ++i)
  {
    LRESULT nLength = SendMessageA(hwndControl, uTextLength, static_cast<WPARAM>(i), 0);
    std::string strLine(nLength > 0 ? static_cast<size_t>(nLength) : 0, '\0');
    std::vector<char> rgchLine(strLine.size() + 1, '\0');
    SendMessageA(hwndControl, uText, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(rgchLine.data()));
    rgLines.emplace_back(rgchLine.data());
  }
  return rgLines;
}
}  // namespace

HWND findWindow(const std::string& strTitle, const char* pszClass)
{
  FindRequest request{&strTitle, pszClass, nullptr};
  EnumWindows(&matchWindow, reinterpret_cast<LPARAM>(&request));
  return request.hwndFound;
}

HWND waitForWindow(const std::string& strTitle, milliseconds timeout, const char* pszClass)
{
  HWND hwnd = nullptr;
  pollUntil([&] { return (hwnd = findWindow(strTitle, pszClass)) != nullptr; }, timeout);
  return hwnd;
}

bool waitForWindowGone(HWND hwnd, milliseconds timeout)
{
  return pollUntil([&] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); }, timeout);
}

HWND waitForDialog(const std::string& strTitle, milliseconds timeout)
{
  return waitForWindow(strTitle, timeout, "#32770");
}

std::string windowText(HWND hwnd)
{
  // WM_GETTEXT rather than GetWindowText: the latter does not ask windows of other processes.
  LRESULT nLength = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
  if (nLength <= 0)
    return std::string();
  std::vector<char> rgchText(static_cast<size_t>(nLength) + 1, '\0');
  LRESULT nCopied = SendMessageA(hwnd, WM_GETTEXT, rgchText.size(), reinterpret_cast<LPARAM>(rgchText.data()));
  return std::string(rgchText.data(), nCopied > 0 ? static_cast<size_t>(nCopied) : 0);
}

std::string itemText(HWND hwndDialog, int nId)
{
  HWND hwndItem = GetDlgItem(hwndDialog, nId);
  return hwndItem != nullptr ? windowText(hwndItem) : std::string();
}

void setItemText(HWND hwndDialog, int nId, const std::string& strText)
{
  SendMessageA(GetDlgItem(hwndDialog, nId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(strText.c_str()));
}

bool isItemEnabled(HWND hwndDialog, int nId)
{
  HWND hwndItem = GetDlgItem(hwndDialog, nId);
  return hwndItem != nullptr && IsWindowEnabled(hwndItem);
}

bool isItemVisible(HWND hwndDialog, int nId)
{
  HWND hwndItem = GetDlgItem(hwndDialog, nId);
  return hwndItem != nullptr && IsWindowVisible(hwndItem);
}

bool isChecked(HWND hwndDialog, int nId)
{
  return SendMessageA(GetDlgItem(hwndDialog, nId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void pressButton(HWND hwndDialog, int nId)
{
  PostMessageA(hwndDialog, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(hwndDialog, nId)));
}

void clickCheck(HWND hwndDialog, int nId)
{
  PostMessageA(GetDlgItem(hwndDialog, nId), BM_CLICK, 0, 0);
}

bool selectComboText(HWND hwndDialog, int nId, const std::string& strText)
{
  HWND hwndCombo = GetDlgItem(hwndDialog, nId);
  LRESULT nIndex = SendMessageA(hwndCombo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>(strText.c_str()));
  if (nIndex == CB_ERR)
    return false;
  SendMessageA(hwndCombo, CB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
  PostMessageA(hwndDialog, WM_COMMAND, MAKEWPARAM(nId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hwndCombo));
  return true;
}

bool selectListIndex(HWND hwndDialog, int nId, int nIndex)
{
  HWND hwndList = GetDlgItem(hwndDialog, nId);
  if (SendMessageA(hwndList, LB_SETCURSEL, static_cast<WPARAM>(nIndex), 0) == LB_ERR && nIndex != -1)
    return false;
  PostMessageA(hwndDialog, WM_COMMAND, MAKEWPARAM(nId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(hwndList));
  return true;
}

std::vector<std::string> listLines(HWND hwndDialog, int nId)
{
  return readLines(GetDlgItem(hwndDialog, nId), LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

std::vector<std::string> comboLines(HWND hwndDialog, int nId)
{
  return readLines(GetDlgItem(hwndDialog, nId), CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

std::vector<std::string> listViewRows(HWND hwndDialog, int nId, int cColumns)
{
  HWND hwndList = GetDlgItem(hwndDialog, nId);
  DWORD dwProcess = 0;
  GetWindowThreadProcessId(hwndList, &dwProcess);
  HANDLE hProcess = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, dwProcess);
  std::vector<std::string> rgstrRows;
  if (hProcess == nullptr)
    return rgstrRows;
  const int kcchText = 1024;
  char* pRemote = static_cast<char*>(
      VirtualAllocEx(hProcess, nullptr, sizeof(LVITEMA) + kcchText, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  int cRows = pRemote == nullptr ? 0 : static_cast<int>(SendMessageA(hwndList, LVM_GETITEMCOUNT, 0, 0));
  for (int nRow = 0; nRow < cRows; ++nRow)
  {
    std::string strRow;
    for (int nColumn = 0; nColumn < cColumns; ++nColumn)
    {
      LVITEMA item = {};
      item.iSubItem = nColumn;
      item.pszText = pRemote + sizeof(LVITEMA);
      item.cchTextMax = kcchText;
      char szText[kcchText] = "";
      WriteProcessMemory(hProcess, pRemote, &item, sizeof(item), nullptr);
      SendMessageA(hwndList, LVM_GETITEMTEXTA, nRow, reinterpret_cast<LPARAM>(pRemote));
      ReadProcessMemory(hProcess, pRemote + sizeof(LVITEMA), szText, kcchText, nullptr);
      szText[kcchText - 1] = '\0';
      strRow += (nColumn == 0 ? "" : "\t") + std::string(szText);
    }
    rgstrRows.push_back(strRow);
  }
  if (pRemote != nullptr)
    VirtualFreeEx(hProcess, pRemote, 0, MEM_RELEASE);
  CloseHandle(hProcess);
  return rgstrRows;
}

int listSelection(HWND hwndDialog, int nId)
{
  return static_cast<int>(SendMessageA(GetDlgItem(hwndDialog, nId), LB_GETCURSEL, 0, 0));
}

std::string messageBoxText(HWND hwndBox)
{
  // The text of a message box is its static control with id 0xFFFF.
  return itemText(hwndBox, 0xFFFF);
}

AnsweredBox answerMessageBox(const std::string& strCaption, int nButtonId, milliseconds timeout)
{
  AnsweredBox answer;
  HWND hwndBox = waitForDialog(strCaption, timeout);
  if (hwndBox == nullptr)
    return answer;
  answer.fFound = true;
  answer.strText = messageBoxText(hwndBox);
  PostMessageA(hwndBox, WM_COMMAND, MAKEWPARAM(nButtonId, BN_CLICKED), 0);
  waitForWindowGone(hwndBox, milliseconds(5000));
  return answer;
}
}  // namespace dialogdriver
