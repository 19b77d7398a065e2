#include "FormatTestDialog_win.h"

#include "BackgroundEvaluation_win.h"
#include "dialogs/DataEditingControls_win.h"
#include "FormatTest.h"
#include "DataEditingResourceIds.h"

namespace
{
const UINT kuPieceMessage = WM_APP + 1;
const UINT kuDoneMessage = WM_APP + 2;
}  // namespace

// The dialog keeps its own copy of the profile: the formats are chosen from it, and the key
// descriptions read its key translator map.
CFormatTestDialog::CFormatTestDialog(const QuilbarProfile& profile)
  : CDialogBase(IDD_FORMATTEST), m_profile(profile), m_output(m_profile.getKeyTranslatorMap(), m_foregroundWindow, m_capsLock)
{
}

bool CFormatTestDialog::onCommand(int nId, int nCode, HWND)
{
  if (nId != IDC_FORMATTEST_TEST || nCode != BN_CLICKED)
    return false;
  // A test that is still running ends first: the button (or Enter) cannot start a second one.
  if (!isRunning())
    runTest();
  return true;
}

void CFormatTestDialog::runTest()
{
  m_output.clear();
  setItemText(IDC_FORMATTEST_FORMAT, "");
  showResults();
  FormatTest::Plan plan = FormatTest::plan(m_profile, itemText(IDC_FORMATTEST_INPUT));
  setItemText(IDC_FORMATTEST_NORMALISED, plan.strNormalisedField);
  setItemText(IDC_FORMATTEST_GS1_FORM, plan.strGS1FormField);
  switch (plan.step)
  {
  case FormatTest::Step::NotationError:
    dataediting::showMessage(hwnd(), DataEditingMessage::stop(FormatTest::kszNotationMessage, IDC_FORMATTEST_INPUT));
    return;
  case FormatTest::Step::Evaluate:
    setItemText(IDC_FORMATTEST_FORMAT, plan.strFormatField);
    startEvaluation(plan.strExpression, plan.strData, plan.strSymbology);
    return;
  case FormatTest::Step::PassThrough:
    m_output.addPiece(plan.strData.c_str());
    break;
  case FormatTest::Step::Filtered:
    break;
  }
  setItemText(IDC_FORMATTEST_FORMAT, plan.strFormatField);
  showResults();
}

// The expression runs on a thread of its own so that its pieces show while a later action still
// waits, and the dialog keeps painting and can be closed meanwhile.
void CFormatTestDialog::startEvaluation(const std::string& strExpression, const std::string& strData,
                                        const std::string& strSymbology)
{
  m_pEvaluation =
    BackgroundEvaluation::start(hwnd(), kuPieceMessage, kuDoneMessage, strExpression, strData, strSymbology);
  dataediting::enableKeepingFocus(hwnd(), IDC_FORMATTEST_TEST, false, IDC_FORMATTEST_INPUT);
  SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

void CFormatTestDialog::showPieces()
{
  if (!m_pEvaluation)
    return;
  std::vector<std::string> rgstrPieces = m_pEvaluation->takePieces();
  if (rgstrPieces.empty())
    return;
  for (const std::string& strPiece : rgstrPieces)
    m_output.addPiece(strPiece.c_str());
  setItemText(IDC_FORMATTEST_DATA_OUTPUT, m_output.dataOutput());
  UpdateWindow(item(IDC_FORMATTEST_DATA_OUTPUT));
}

void CFormatTestDialog::finishEvaluation()
{
  if (!m_pEvaluation || !m_pEvaluation->isDone())
    return;
  showPieces();
  std::shared_ptr<BackgroundEvaluation> pEvaluation = std::move(m_pEvaluation);
  EnableWindow(item(IDC_FORMATTEST_TEST), TRUE);
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  if (!pEvaluation->succeeded())
    dataediting::showMessage(hwnd(), DataEditingMessage::stop(pEvaluation->error()));
  showResults();
}

void CFormatTestDialog::showResults()
{
  setItemText(IDC_FORMATTEST_DATA_OUTPUT, m_output.dataOutput());
  setItemText(IDC_FORMATTEST_KEYBOARD_OUTPUT, m_output.keyboardOutput());
}

INT_PTR CFormatTestDialog::onMessage(UINT uMsg, WPARAM, LPARAM, bool& fHandled)
{
  switch (uMsg)
  {
  case kuPieceMessage:
    showPieces();
    fHandled = true;
    return TRUE;
  case kuDoneMessage:
    finishEvaluation();
    fHandled = true;
    return TRUE;
  case WM_DESTROY:
    // However the window goes, a running expression must not post to it any more.
    if (m_pEvaluation)
      m_pEvaluation->abandon();
    return FALSE;
  case WM_SETCURSOR:
    if (!isRunning())
      return FALSE;
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, TRUE);
    fHandled = true;
    return TRUE;
  default:
    return FALSE;
  }
}

// Closing while an expression waits leaves it to finish on its own; its output is dropped.
void CFormatTestDialog::onCancel()
{
  if (m_pEvaluation)
  {
    m_pEvaluation->abandon();
    m_pEvaluation.reset();
  }
  endDialog(IDCANCEL);
}
