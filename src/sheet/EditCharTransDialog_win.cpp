#include "EditCharTransDialog_win.h"

#include "dialogs/DialogControls_win.h"
#include "EditCharTransForm.h"
#include "SettingsResourceIds.h"
#include "SettingsSheetPages.h"

#include <commctrl.h>

namespace
{
const UINT_PTR kuTesterSubclass = 1;
}

CEditCharTransDialog::CEditCharTransDialog(KeyTranslator& translator)
    : CDialogBase(IDD_EDIT_CHAR_TRANS), m_translator(translator)
{
}

bool CEditCharTransDialog::onInit()
{
  SendMessageA(item(IDC_EDITCHAR_KEYCODE), EM_LIMITTEXT, EditCharTransForm::kcchMaxKeyCode, 0);
  {
    FillGuard guard(*this);
    CDialogControls controls(hwnd());
    EditCharTransForm::load(m_translator, controls);
  }
  SetWindowSubclass(item(IDC_EDITCHAR_TESTER), &CEditCharTransDialog::testerProc, kuTesterSubclass, 0);
  // The character and its code are only shown; the key code is what the user came to change.
  focusItem(IDC_EDITCHAR_KEYCODE);
  return false;
}

// The tester wants every key, Tab, Enter and Escape included, so that their codes can be looked
// up too; the access keys still lead out of it. A key replaces its text, and the change notice
// carries the code on to the key code field.
LRESULT CALLBACK CEditCharTransDialog::testerProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                                  UINT_PTR uIdSubclass, DWORD_PTR dwRefData)
{
  switch (uMsg)
  {
  case WM_GETDLGCODE:
    return DLGC_WANTALLKEYS | DefSubclassProc(hwnd, uMsg, wParam, lParam);
  case WM_KEYDOWN:
    SetWindowTextA(hwnd, EditCharTransForm::testerText(static_cast<int>(wParam)).c_str());
    return 0;
  case WM_CHAR:
    return 0;
  case WM_NCDESTROY:
    RemoveWindowSubclass(hwnd, &CEditCharTransDialog::testerProc, uIdSubclass);
    break;
  default:
    break;
  }
  return DefSubclassProc(hwnd, uMsg, wParam, lParam);
}

bool CEditCharTransDialog::onCommand(int nId, int nCode, HWND hwndControl)
{
  if (nCode != EN_CHANGE)
    return false;
  if (nId == IDC_EDITCHAR_TESTER)
  {
    setItemText(IDC_EDITCHAR_KEYCODE, EditCharTransForm::keyCodeOfTesterText(itemText(IDC_EDITCHAR_TESTER)));
    return true;
  }
  if (nId == IDC_EDITCHAR_KEYCODE)
  {
    setItemText(IDC_EDITCHAR_KEYCODE_HEX, EditCharTransForm::hexOfKeyCode(itemText(IDC_EDITCHAR_KEYCODE)));
    return true;
  }
  return false;
}

void CEditCharTransDialog::onOk()
{
  CDialogControls controls(hwnd());
  EditCharTransForm::Outcome outcome = EditCharTransForm::store(controls, m_translator);
  if (outcome.fStored)
  {
    endDialog(IDOK);
    return;
  }
  messageBox(outcome.strMessage, SettingsSheetPages::kszMessageCaption, MB_OK | MB_ICONSTOP);
  focusItem(outcome.nFocusId);
}
