#include "CriteriaDialog_win.h"

#include "dialogs/DataEditingControls_win.h"
#include "DataEditingResourceIds.h"

#include <commctrl.h>

namespace
{
// The text of each field, one row per control, so that reading and showing cannot drift apart.
struct TextBinding
{
  int nId;
  std::string CriteriaForm::Fields::*pstrField;
};

const TextBinding krgTextBindings[] = {
    {IDC_CRITERIA_MIN, &CriteriaForm::Fields::strMinLength},
    {IDC_CRITERIA_MAX, &CriteriaForm::Fields::strMaxLength},
    {IDC_CRITERIA_START, &CriteriaForm::Fields::strStartPosition},
    {IDC_CRITERIA_EXPRESSION, &CriteriaForm::Fields::strExpression},
    {IDC_CRITERIA_PRESENT, &CriteriaForm::Fields::strFieldsPresent},
    {IDC_CRITERIA_NOT_PRESENT, &CriteriaForm::Fields::strFieldsNotPresent},
};

const int krgSpinIds[] = {IDC_CRITERIA_MIN_SPIN, IDC_CRITERIA_MAX_SPIN, IDC_CRITERIA_START_SPIN};

const Criteria::Kind krgKinds[] = {Criteria::kindLength, Criteria::kindStringExpression, Criteria::kindEAN128};
}  // namespace

CCriteriaDialog::CCriteriaDialog(Criteria& criteria, const std::string& strCaption)
  : CDialogBase(IDD_CRITERIA), m_criteria(criteria), m_strCaption(strCaption)
{
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
}

// The spin buttons offer 1 to 99; larger numbers may still be typed.
bool CCriteriaDialog::onInit()
{
  SetWindowTextA(hwnd(), m_strCaption.c_str());
  for (int nSpinId : krgSpinIds)
    SendMessageA(item(nSpinId), UDM_SETRANGE32, 1, 99);
  showFields(CriteriaForm::fieldsOf(m_criteria));
  return true;
}

bool CCriteriaDialog::onCommand(int nId, int nCode, HWND)
{
  for (Criteria::Kind kind : krgKinds)
  {
    if (nId == CriteriaForm::radioOf(kind) && nCode == BN_CLICKED)
    {
      showKind(checkedKind());
      return true;
    }
  }
  return false;
}

Criteria::Kind CCriteriaDialog::checkedKind() const
{
  for (Criteria::Kind kind : krgKinds)
    if (isChecked(CriteriaForm::radioOf(kind)))
      return kind;
  return Criteria::kindLength;
}

CriteriaForm::Fields CCriteriaDialog::readFields() const
{
  CriteriaForm::Fields fields;
  fields.kind = checkedKind();
  for (const TextBinding& binding : krgTextBindings)
    fields.*binding.pstrField = itemText(binding.nId);
  return fields;
}

void CCriteriaDialog::showFields(const CriteriaForm::Fields& fields)
{
  FillGuard filling(*this);
  for (const TextBinding& binding : krgTextBindings)
    setItemText(binding.nId, fields.*binding.pstrField);
  showKind(fields.kind);
}

void CCriteriaDialog::showKind(Criteria::Kind kind)
{
  for (Criteria::Kind each : krgKinds)
    setChecked(CriteriaForm::radioOf(each), each == kind);
  for (int nId : CriteriaForm::kindControls())
    dataediting::enableKeepingFocus(hwnd(), nId, CriteriaForm::isEnabledFor(nId, kind), CriteriaForm::radioOf(kind));
}

void CCriteriaDialog::onOk()
{
  CriteriaForm::Fields fields = readFields();
  CriteriaForm::Check check = CriteriaForm::check(fields);
  switch (check.verdict)
  {
  case CriteriaForm::Verdict::Refuse:
    dataediting::showMessage(hwnd(), DataEditingMessage::plain(check.strMessage, check.nFocusId));
    return;
  case CriteriaForm::Verdict::SwitchToString:
    dataediting::showMessage(hwnd(), DataEditingMessage::plain(check.strMessage));
    showKind(Criteria::kindStringExpression);
    focusItem(check.nFocusId);
    return;
  case CriteriaForm::Verdict::AskWildcard:
    if (messageBox(check.strMessage, dataediting::kszMessageCaption, MB_YESNO | MB_ICONQUESTION) == IDYES)
    {
      setItemText(IDC_CRITERIA_EXPRESSION, CriteriaForm::withWildcard(fields.strExpression));
      focusItem(IDC_CRITERIA_EXPRESSION);
      return;
    }
    break;
  case CriteriaForm::Verdict::Accept:
    break;
  }
  CriteriaForm::apply(fields, m_criteria);
  endDialog(IDOK);
}
