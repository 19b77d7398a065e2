#include "DialogControls_win.h"

#include "base/Assert.h"

std::string CDialogControls::getText(int nId) const
{
  HWND hwndItem = item(nId);
  QB_ASSERT(NULL != hwndItem);
  int nLength = GetWindowTextLengthA(hwndItem);
  if (nLength <= 0)
    return std::string();
  std::vector<char> rgchText(static_cast<size_t>(nLength) + 1, '\0');
  int nCopied = GetWindowTextA(hwndItem, rgchText.data(), nLength + 1);
  return std::string(rgchText.data(), nCopied > 0 ? static_cast<size_t>(nCopied) : 0);
}

void CDialogControls::setText(int nId, const std::string& strText)
{
  QB_ASSERT(NULL != item(nId));
  SetWindowTextA(item(nId), strText.c_str());
}

// The list's own exact search ignores letter case, so the entries are compared here byte by byte:
// a stored "no parity" must not come back as "No parity" unless the user chose that.
void CDialogControls::selectChoice(int nId, const std::string& strText)
{
  HWND hwndCombo = item(nId);
  QB_ASSERT(NULL != hwndCombo);
  LRESULT nCount = SendMessageA(hwndCombo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < nCount; ++i)
  {
    LRESULT nLength = SendMessageA(hwndCombo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::vector<char> rgchEntry(static_cast<size_t>(nLength > 0 ? nLength : 0) + 1, '\0');
    SendMessageA(hwndCombo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(rgchEntry.data()));
    if (strText == rgchEntry.data())
    {
      SendMessageA(hwndCombo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return;
    }
  }
  LRESULT nAdded = SendMessageA(hwndCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strText.c_str()));
  QB_ASSERT(nAdded >= 0);
  SendMessageA(hwndCombo, CB_SETCURSEL, static_cast<WPARAM>(nAdded), 0);
}

bool CDialogControls::isChecked(int nId) const
{
  QB_ASSERT(NULL != item(nId));
  return IsDlgButtonChecked(m_hwndDialog, nId) == BST_CHECKED;
}

void CDialogControls::setChecked(int nId, bool fChecked)
{
  QB_ASSERT(NULL != item(nId));
  CheckDlgButton(m_hwndDialog, nId, fChecked ? BST_CHECKED : BST_UNCHECKED);
}

void CDialogControls::setEnabled(int nId, bool fEnabled)
{
  QB_ASSERT(NULL != item(nId));
  EnableWindow(item(nId), fEnabled ? TRUE : FALSE);
}

std::vector<std::string> CDialogControls::getList(int nId) const
{
  auto it = m_mapLists.find(nId);
  return it == m_mapLists.end() ? std::vector<std::string>() : it->second;
}

void CDialogControls::setList(int nId, const std::vector<std::string>& rgstrList)
{
  m_mapLists[nId] = rgstrList;
}

void CDialogControls::fillChoices(int nId, const std::vector<std::string>& rgstrChoices)
{
  HWND hwndControl = item(nId);
  QB_ASSERT(NULL != hwndControl);
  char szClass[16] = "";
  GetClassNameA(hwndControl, szClass, sizeof szClass);
  bool fListBox = lstrcmpiA(szClass, "ListBox") == 0;
  SendMessageA(hwndControl, fListBox ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
  for (const std::string& strChoice : rgstrChoices)
  {
    LRESULT nIndex = SendMessageA(hwndControl, fListBox ? LB_ADDSTRING : CB_ADDSTRING, 0,
                                  reinterpret_cast<LPARAM>(strChoice.c_str()));
    QB_ASSERT(nIndex >= 0);
  }
}
