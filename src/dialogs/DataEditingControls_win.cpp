#include "DataEditingControls_win.h"

namespace dataediting
{
const char kszMessageCaption[] = "Quilbar";

void showListLines(HWND hwndList, const std::vector<std::string>& rgstrLines, int nSelection)
{
  SendMessageA(hwndList, WM_SETREDRAW, FALSE, 0);
  SendMessageA(hwndList, LB_RESETCONTENT, 0, 0);
  for (const std::string& strLine : rgstrLines)
    SendMessageA(hwndList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strLine.c_str()));
  SendMessageA(hwndList, LB_SETCURSEL, static_cast<WPARAM>(nSelection), 0);
  SendMessageA(hwndList, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwndList, nullptr, TRUE);
}

int listSelection(HWND hwndList)
{
  LRESULT nSelection = SendMessageA(hwndList, LB_GETCURSEL, 0, 0);
  return nSelection == LB_ERR ? -1 : static_cast<int>(nSelection);
}

void enableKeepingFocus(HWND hwndDialog, int nId, bool fEnabled, int nFallbackId)
{
  HWND hwndControl = GetDlgItem(hwndDialog, nId);
  if (!fEnabled && GetFocus() == hwndControl)
    SendMessageA(hwndDialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwndDialog, nFallbackId)), TRUE);
  EnableWindow(hwndControl, fEnabled ? TRUE : FALSE);
}

void showMessage(HWND hwndDialog, const DataEditingMessage& message)
{
  if (message.isEmpty())
    return;
  UINT uType = MB_OK | (message.icon == DataEditingMessage::Icon::Stop ? MB_ICONSTOP : 0);
  MessageBoxA(hwndDialog, message.strText.c_str(), kszMessageCaption, uType);
  if (message.nFocusId != 0)
    SendMessageA(hwndDialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwndDialog, message.nFocusId)), TRUE);
}
}  // namespace dataediting
