#include "ReplacementsDialog_win.h"

#include "dialogs/DataEditingControls_win.h"
#include "ReplacementDialog_win.h"
#include "DataEditingResourceIds.h"

namespace
{
const OrderedListControls kControls = {IDC_REPLACEMENTS_LIST, IDC_REPLACEMENTS_MOVEUP, IDC_REPLACEMENTS_MOVEDOWN,
                                       IDC_REPLACEMENTS_ADD,  IDC_REPLACEMENTS_EDIT,   IDC_REPLACEMENTS_REMOVE};

// Where the "Replace with" column starts, in dialog units of the list's font; the column header
// above the list stands at the same place.
const int knReplaceColumn = 110;
}  // namespace

CReplacementsDialog::CReplacementsDialog(ReplacementMap& replacements)
  : COrderedListDialog(IDD_REPLACEMENTS, kControls), m_target(replacements), m_replacements(replacements),
    m_form(m_replacements)
{
}

bool CReplacementsDialog::onInit()
{
  int nTabStop = knReplaceColumn;
  SendMessageA(item(IDC_REPLACEMENTS_LIST), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&nTabStop));
  return COrderedListDialog::onInit();
}

ReplacementsForm::ReplacementEditor CReplacementsDialog::replacementEditor()
{
  return [this](Replacement& replacement, const std::string& strCaption) {
    CReplacementDialog dialog(replacement, strCaption);
    return dialog.runModal(hwnd()) == IDOK;
  };
}

ReplacementsForm::ErrorReporter CReplacementsDialog::errorReporter()
{
  return [this](const std::string& strMessage) {
    dataediting::showMessage(hwnd(), DataEditingMessage::stop(strMessage));
  };
}

void CReplacementsDialog::addRecord()
{
  m_form.add(replacementEditor(), errorReporter());
}

void CReplacementsDialog::editRecord()
{
  m_form.edit(replacementEditor(), errorReporter());
}

void CReplacementsDialog::onOk()
{
  m_form.commitOrder();
  m_target = m_replacements;
  endDialog(IDOK);
}
