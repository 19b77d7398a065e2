#include "WedgeChooserDlg_win.h"

#include "MonitorResourceIds.h"

CWedgeChooserDlg::CWedgeChooserDlg(std::vector<std::string> rgstrLines)
    : CDialogBase(IDD_MONITOR_CHOOSER), m_rgstrLines(std::move(rgstrLines))
{
}

bool CWedgeChooserDlg::onInit()
{
  HWND hwndList = item(IDC_MONITOR_CHOOSER_LIST);
  for (const std::string& strLine : m_rgstrLines)
    SendMessageA(hwndList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strLine.c_str()));
  SendMessageA(hwndList, LB_SETCURSEL, 0, 0);
  return true;
}

// A double click chooses as OK does.
bool CWedgeChooserDlg::onCommand(int nId, int nCode, HWND)
{
  if (nId != IDC_MONITOR_CHOOSER_LIST || nCode != LBN_DBLCLK)
    return false;
  onOk();
  return true;
}

void CWedgeChooserDlg::onOk()
{
  LRESULT nSelection = SendMessageA(item(IDC_MONITOR_CHOOSER_LIST), LB_GETCURSEL, 0, 0);
  if (nSelection == LB_ERR)
    return;
  m_nChoice = static_cast<int>(nSelection);
  endDialog(IDOK);
}
