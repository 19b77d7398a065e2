#include "FormatEditorDialog_win.h"

#include "CriteriaDialog_win.h"
#include "dialogs/DataEditingControls_win.h"
#include "DataEditingResourceIds.h"

namespace
{
const UINT_PTR kidStatusTimer = 1;
}  // namespace

CFormatEditorDialog::CFormatEditorDialog(DataEditFormat& format, const std::string& strCaption)
  : CDialogBase(IDD_FORMATEDITOR), m_format(format), m_strCaption(strCaption), m_form(format)
{
}

bool CFormatEditorDialog::onInit()
{
  SetWindowTextA(hwnd(), m_strCaption.c_str());
  {
    FillGuard filling(*this);
    setItemText(IDC_FORMATEDITOR_NAME, m_format.getName());
    setItemText(IDC_FORMATEDITOR_OUTPUT, m_format.getOutput());
  }
  showCriteria(-1);
  showStatus();
  return true;
}

bool CFormatEditorDialog::onCommand(int nId, int nCode, HWND)
{
  switch (nId)
  {
  case IDC_FORMATEDITOR_ADD:
    if (nCode == BN_CLICKED)
      addCriteria();
    return true;
  case IDC_FORMATEDITOR_EDIT:
    if (nCode == BN_CLICKED)
      editCriteria();
    return true;
  case IDC_FORMATEDITOR_REMOVE:
    if (nCode == BN_CLICKED)
      removeCriteria();
    return true;
  case IDC_FORMATEDITOR_CRITERIA:
    if (nCode == LBN_DBLCLK)
      editCriteria();
    return true;
  case IDC_FORMATEDITOR_OUTPUT:
    // Each change restarts the pause; the check runs once typing stops.
    if (nCode == EN_CHANGE && !isFilling())
      SetTimer(hwnd(), kidStatusTimer, kuStatusDelay, nullptr);
    return true;
  default:
    return false;
  }
}

INT_PTR CFormatEditorDialog::onMessage(UINT uMsg, WPARAM wParam, LPARAM, bool& fHandled)
{
  if (uMsg == WM_TIMER && wParam == kidStatusTimer)
  {
    KillTimer(hwnd(), kidStatusTimer);
    showStatus();
    fHandled = true;
  }
  return FALSE;
}

void CFormatEditorDialog::showStatus()
{
  setItemText(IDC_FORMATEDITOR_STATUS, FormatEditorForm::expressionStatus(itemText(IDC_FORMATEDITOR_OUTPUT)));
}

void CFormatEditorDialog::showCriteria(int nSelection)
{
  dataediting::showListLines(item(IDC_FORMATEDITOR_CRITERIA), m_form.criteriaLines(), nSelection);
}

void CFormatEditorDialog::addCriteria()
{
  Criteria criteria;
  CCriteriaDialog dialog(criteria, "Add Criteria");
  if (dialog.runModal(hwnd()) != IDOK)
    return;
  DataEditingMessage refusal = m_form.addCriteria(criteria);
  showCriteria(refusal.isEmpty() ? static_cast<int>(m_form.criteriaLines().size()) - 1
                                 : dataediting::listSelection(item(IDC_FORMATEDITOR_CRITERIA)));
  dataediting::showMessage(hwnd(), refusal);
}

void CFormatEditorDialog::editCriteria()
{
  int nLine = dataediting::listSelection(item(IDC_FORMATEDITOR_CRITERIA));
  const Criteria* pCriteria = m_form.criteriaAt(nLine);
  if (pCriteria == nullptr)
    return;
  Criteria edited(*pCriteria);
  CCriteriaDialog dialog(edited, "Edit Criteria");
  if (dialog.runModal(hwnd()) != IDOK)
    return;
  DataEditingMessage refusal = m_form.editCriteria(nLine, edited);
  showCriteria(nLine);
  dataediting::showMessage(hwnd(), refusal);
}

void CFormatEditorDialog::removeCriteria()
{
  int nLine = dataediting::listSelection(item(IDC_FORMATEDITOR_CRITERIA));
  if (nLine < 0)
    return;
  m_form.removeCriteria(nLine);
  int nCount = static_cast<int>(m_form.criteriaLines().size());
  showCriteria(nLine < nCount ? nLine : nCount - 1);
}

void CFormatEditorDialog::onOk()
{
  std::string strName = itemText(IDC_FORMATEDITOR_NAME);
  std::string strOutput = itemText(IDC_FORMATEDITOR_OUTPUT);
  DataEditingMessage problem = m_form.check(strName, strOutput);
  if (!problem.isEmpty())
  {
    dataediting::showMessage(hwnd(), problem);
    return;
  }
  KillTimer(hwnd(), kidStatusTimer);
  m_form.apply(strName, strOutput);
  endDialog(IDOK);
}
