#include "CharTransDialog_win.h"

#include "CharTransForm.h"
#include "dialogs/DialogControls_win.h"
#include "EditCharTransDialog_win.h"
#include "SettingsResourceIds.h"
#include "SettingsSheetPages.h"
#include "keyboard/KeyTranslatorMap.h"

#include <vector>

CCharTransDialog::CCharTransDialog(KeyTranslatorMap& mapKeyTranslator)
    : CDialogBase(IDD_CHAR_TRANS), m_mapKeyTranslator(mapKeyTranslator)
{
}

bool CCharTransDialog::onInit()
{
  setTabStops();
  fillList(0);
  return true;
}

// The columns start under their headings whatever the font: the headings' places on screen are
// turned back into the dialog units the list's tab stops are given in.
void CCharTransDialog::setTabStops()
{
  HWND hwndList = item(IDC_CHARTRANS_LIST);
  RECT rcList;
  GetWindowRect(hwndList, &rcList);
  int nListTextLeft = rcList.left + GetSystemMetrics(SM_CXEDGE) + 2;
  std::vector<int> rgnHeadingLeft;
  for (int i = 0; i < IDC_CHARTRANS_HEADING_COUNT; ++i)
  {
    RECT rcHeading;
    GetWindowRect(item(IDC_CHARTRANS_HEADING_FIRST + i), &rcHeading);
    rgnHeadingLeft.push_back(rcHeading.left);
  }
  RECT rcScale = {0, 0, 100, 0};
  MapDialogRect(hwnd(), &rcScale);
  std::vector<int> rgnStops = CharTransForm::tabStops(rgnHeadingLeft, nListTextLeft, rcScale.right);
  SendMessageA(hwndList, LB_SETTABSTOPS, rgnStops.size(), reinterpret_cast<LPARAM>(rgnStops.data()));
}

void CCharTransDialog::fillList(int nSelection)
{
  HWND hwndList = item(IDC_CHARTRANS_LIST);
  LRESULT nTop = SendMessageA(hwndList, LB_GETTOPINDEX, 0, 0);
  SendMessageA(hwndList, WM_SETREDRAW, FALSE, 0);
  CDialogControls(hwnd()).fillChoices(IDC_CHARTRANS_LIST, CharTransForm::lines(m_mapKeyTranslator));
  SendMessageA(hwndList, LB_SETTOPINDEX, static_cast<WPARAM>(nTop), 0);
  if (nSelection >= 0)
    SendMessageA(hwndList, LB_SETCURSEL, static_cast<WPARAM>(nSelection), 0);
  SendMessageA(hwndList, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwndList, nullptr, TRUE);
}

bool CCharTransDialog::onCommand(int nId, int nCode, HWND hwndControl)
{
  if ((nId == IDC_CHARTRANS_EDIT && nCode == BN_CLICKED) || (nId == IDC_CHARTRANS_LIST && nCode == LBN_DBLCLK))
  {
    editSelected();
    return true;
  }
  if (nId == IDC_CHARTRANS_DEFAULT && nCode == BN_CLICKED)
  {
    revertToDefault();
    return true;
  }
  return false;
}

// The edit dialog works on a copy, so its Cancel leaves the entry as it was.
void CCharTransDialog::editSelected()
{
  int nSelected = static_cast<int>(SendMessageA(item(IDC_CHARTRANS_LIST), LB_GETCURSEL, 0, 0));
  if (nSelected < 0 || nSelected > 255)
    return;
  KeyTranslator& entry = m_mapKeyTranslator.entryOf(static_cast<unsigned char>(nSelected));
  KeyTranslator copy(entry);
  CEditCharTransDialog dialog(copy);
  if (dialog.runModal(hwnd()) != IDOK)
    return;
  entry = copy;
  fillList(nSelected);
}

void CCharTransDialog::revertToDefault()
{
  if (messageBox(CharTransForm::kszDefaultQuestion, SettingsSheetPages::kszMessageCaption,
                 MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  int nSelected = static_cast<int>(SendMessageA(item(IDC_CHARTRANS_LIST), LB_GETCURSEL, 0, 0));
  m_mapKeyTranslator.setDefault();
  fillList(nSelected);
}
