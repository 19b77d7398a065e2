#include "OrderedListDialog_win.h"

#include "DataEditingControls_win.h"
#include "OrderedListForm.h"

COrderedListDialog::COrderedListDialog(int nTemplateId, const OrderedListControls& controls)
  : CDialogBase(nTemplateId), m_controls(controls), m_moveButtons(controls.nMoveUp, controls.nMoveDown)
{
}

bool COrderedListDialog::onInit()
{
  showLines();
  return true;
}

bool COrderedListDialog::onCommand(int nId, int nCode, HWND)
{
  if (nId == m_controls.nList)
    return onListCommand(nCode);
  if (nCode != BN_CLICKED)
    return false;
  OrderedListForm& form = listForm();
  if (nId == m_controls.nAdd)
    addRecord();
  else if (nId == m_controls.nEdit)
    editRecord();
  else if (nId == m_controls.nRemove)
    form.remove();
  else if (nId == m_controls.nMoveUp)
    form.moveUp();
  else if (nId == m_controls.nMoveDown)
    form.moveDown();
  else
    return false;
  showLines();
  return true;
}

bool COrderedListDialog::onListCommand(int nCode)
{
  if (nCode == LBN_SELCHANGE)
  {
    listForm().select(dataediting::listSelection(item(m_controls.nList)));
    updateButtons();
  }
  else if (nCode == LBN_DBLCLK)
  {
    editRecord();
    showLines();
  }
  return true;
}

INT_PTR COrderedListDialog::onMessage(UINT uMsg, WPARAM, LPARAM lParam, bool& fHandled)
{
  if (uMsg == WM_DRAWITEM && m_moveButtons.draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
  {
    fHandled = true;
    return TRUE;
  }
  return FALSE;
}

void COrderedListDialog::showLines()
{
  OrderedListForm& form = listForm();
  dataediting::showListLines(item(m_controls.nList), form.lines(), form.selection());
  updateButtons();
}

// A button that cannot act is disabled; the focus it may hold goes to the list.
void COrderedListDialog::updateButtons()
{
  const OrderedListForm& form = listForm();
  const struct
  {
    int nId;
    bool fEnabled;
  } rgButtons[] = {
      {m_controls.nEdit, form.canEdit()},
      {m_controls.nRemove, form.canRemove()},
      {m_controls.nMoveUp, form.canMoveUp()},
      {m_controls.nMoveDown, form.canMoveDown()},
  };
  for (const auto& button : rgButtons)
    dataediting::enableKeepingFocus(hwnd(), button.nId, button.fEnabled, m_controls.nList);
}
