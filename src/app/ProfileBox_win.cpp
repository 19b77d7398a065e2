#include "ProfileBox_win.h"

std::vector<std::string> ProfileBox::names() const
{
  std::vector<std::string> rgstrNames;
  LRESULT nCount = SendMessageA(m_hwndCombo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < nCount; ++i)
  {
    LRESULT nLength = SendMessageA(m_hwndCombo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::vector<char> rgchName(static_cast<size_t>(nLength > 0 ? nLength : 0) + 1, '\0');
    SendMessageA(m_hwndCombo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(rgchName.data()));
    rgstrNames.emplace_back(rgchName.data());
  }
  return rgstrNames;
}

void ProfileBox::show(const std::string& strText)
{
  std::vector<std::string> rgstrNames = names();
  LRESULT nIndex = CB_ERR;
  for (size_t i = 0; i < rgstrNames.size(); ++i)
  {
    if (rgstrNames[i] == strText)
      nIndex = static_cast<LRESULT>(i);
  }
  SendMessageA(m_hwndCombo, CB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
  if (nIndex == CB_ERR)
    SetWindowTextA(m_hwndCombo, strText.c_str());
  DWORD dwEnd = static_cast<DWORD>(strText.size());
  SendMessageA(m_hwndCombo, CB_SETEDITSEL, 0, MAKELPARAM(dwEnd, dwEnd));
}

void ProfileBox::fill(const std::vector<std::string>& rgstrNames)
{
  SendMessageA(m_hwndCombo, CB_RESETCONTENT, 0, 0);
  for (const std::string& strName : rgstrNames)
    SendMessageA(m_hwndCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strName.c_str()));
}

void ProfileBox::select(size_t nIndex)
{
  SendMessageA(m_hwndCombo, CB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
}

// The edit field still shows the old text while the selection changes: the entry counts.
bool ProfileBox::selectedName(std::string& strName) const
{
  LRESULT nIndex = SendMessageA(m_hwndCombo, CB_GETCURSEL, 0, 0);
  std::vector<std::string> rgstrNames = names();
  if (nIndex < 0 || static_cast<size_t>(nIndex) >= rgstrNames.size())
    return false;
  strName = rgstrNames[static_cast<size_t>(nIndex)];
  return true;
}

void ProfileBox::allowTyping(bool fAllowed)
{
  COMBOBOXINFO info = {};
  info.cbSize = sizeof(info);
  if (GetComboBoxInfo(m_hwndCombo, &info) && info.hwndItem != nullptr)
    SendMessageA(info.hwndItem, EM_SETREADONLY, fAllowed ? FALSE : TRUE, 0);
}
