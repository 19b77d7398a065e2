#include "LockOutputWindowDialog_win.h"

#include "dialogs/DialogControls_win.h"
#include "SettingsResourceIds.h"

CLockOutputWindowDialog::CLockOutputWindowDialog(const std::vector<std::string>& rgstrTitles)
    : CDialogBase(IDD_LOCK_OUTPUT_WINDOW), m_form(rgstrTitles)
{
}

bool CLockOutputWindowDialog::onInit()
{
  setItemText(IDC_LOCKWINDOW_TEXT, LockOutputWindowForm::kszExplanation);
  fillList();
  return true;
}

bool CLockOutputWindowDialog::onCommand(int nId, int nCode, HWND hwndControl)
{
  if (nCode != BN_CLICKED)
    return false;
  if (nId == IDC_LOCKWINDOW_ADD)
    add();
  else if (nId == IDC_LOCKWINDOW_REMOVE)
    remove();
  else
    return false;
  return true;
}

// The list is not sorted by the control: its order is the form's, which also decides what counts
// as already listed.
void CLockOutputWindowDialog::fillList()
{
  CDialogControls(hwnd()).fillChoices(IDC_LOCKWINDOW_TITLES, m_form.entries());
}

void CLockOutputWindowDialog::add()
{
  int nIndex = -1;
  if (m_form.add(itemText(IDC_LOCKWINDOW_TITLES), nIndex))
    fillList();
  clearAndFocusEditField();
}

// Selecting an entry of a simple combo box copies it into the edit field; the field is emptied
// after the selection, so that OK right after a removal closes the dialog.
void CLockOutputWindowDialog::remove()
{
  HWND hwndCombo = item(IDC_LOCKWINDOW_TITLES);
  int nSelected = static_cast<int>(SendMessageA(hwndCombo, CB_GETCURSEL, 0, 0));
  if (nSelected < 0)
    return;
  int nNext = m_form.remove(nSelected);
  fillList();
  SendMessageA(hwndCombo, CB_SETCURSEL, static_cast<WPARAM>(nNext), 0);
  setItemText(IDC_LOCKWINDOW_TITLES, "");
}

void CLockOutputWindowDialog::clearAndFocusEditField()
{
  setItemText(IDC_LOCKWINDOW_TITLES, "");
  focusItem(IDC_LOCKWINDOW_TITLES);
}

void CLockOutputWindowDialog::onOk()
{
  int nAdded = -1;
  if (m_form.okCloses(itemText(IDC_LOCKWINDOW_TITLES), nAdded))
  {
    endDialog(IDOK);
    return;
  }
  fillList();
  clearAndFocusEditField();
}
