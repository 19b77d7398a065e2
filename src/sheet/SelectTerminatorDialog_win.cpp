#include "SelectTerminatorDialog_win.h"

#include "dialogs/DialogControls_win.h"
#include "SettingsResourceIds.h"
#include "SelectTerminatorForm.h"

CSelectTerminatorDialog::CSelectTerminatorDialog(const std::string& strTerminator)
    : CDialogBase(IDD_SELECT_TERMINATOR), m_strTerminator(strTerminator)
{
}

bool CSelectTerminatorDialog::onInit()
{
  HWND hwndList = item(IDC_TERMINATOR_LIST);
  int rgnTabStops[2] = {SelectTerminatorForm::krgnTabStops[0], SelectTerminatorForm::krgnTabStops[1]};
  SendMessageA(hwndList, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(rgnTabStops));
  CDialogControls(hwnd()).fillChoices(IDC_TERMINATOR_LIST, SelectTerminatorForm::rows());
  int nRow = SelectTerminatorForm::rowOfTerminator(m_strTerminator);
  if (nRow >= 0)
    SendMessageA(hwndList, LB_SETCURSEL, static_cast<WPARAM>(nRow), 0);
  return true;
}

bool CSelectTerminatorDialog::onCommand(int nId, int nCode, HWND hwndControl)
{
  if (nId != IDC_TERMINATOR_LIST)
    return false;
  if (nCode == LBN_SELCHANGE || nCode == LBN_DBLCLK)
  {
    int nRow = static_cast<int>(SendMessageA(item(IDC_TERMINATOR_LIST), LB_GETCURSEL, 0, 0));
    if (nRow >= 0)
      m_strTerminator = SelectTerminatorForm::terminatorOfRow(nRow);
    if (nCode == LBN_DBLCLK && nRow >= 0)
      endDialog(IDOK);
    return true;
  }
  return false;
}
