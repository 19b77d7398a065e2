#include "ReplacementTestDialog_win.h"

#include "dialogs/DataEditingControls_win.h"
#include "FormatTest.h"
#include "ReplacementTest.h"
#include "DataEditingResourceIds.h"

CReplacementTestDialog::CReplacementTestDialog(const ReplacementMap& replacements)
  : CDialogBase(IDD_REPLACEMENTTEST), m_replacements(replacements)
{
}

bool CReplacementTestDialog::onCommand(int nId, int nCode, HWND)
{
  if (nId != IDC_REPLACEMENTTEST_TEST || nCode != BN_CLICKED)
    return false;
  runTest();
  return true;
}

void CReplacementTestDialog::runTest()
{
  ReplacementTest::Result result = ReplacementTest::run(m_replacements, itemText(IDC_REPLACEMENTTEST_INPUT));
  if (result.fNotationError)
  {
    dataediting::showMessage(hwnd(),
                             DataEditingMessage::stop(FormatTest::kszNotationMessage, IDC_REPLACEMENTTEST_INPUT));
    return;
  }
  setItemText(IDC_REPLACEMENTTEST_COUNT, result.strCount);
  setItemText(IDC_REPLACEMENTTEST_DATA_OUTPUT, result.strDataOutput);
}
