#include "CriteriaForm.h"

#include "DataEditingResourceIds.h"
#include "base/Assert.h"
#include "engine/ExpressionSyntax.h"

#include <cctype>
#include <climits>

const char CriteriaForm::kszMinTooSmall[] = "Minimum length must be greater than 1.";
const char CriteriaForm::kszMaxTooSmall[] = "Maximum length must be greater than 1.";
const char CriteriaForm::kszMinAboveMax[] = "Minimum length can't be greater than maximum.";
const char CriteriaForm::kszStartTooSmall[] = "Start position must be greater than 1.";
const char CriteriaForm::kszEmptyExpression[] = "The expression can't be empty.";
const char CriteriaForm::kszNoFields[] =
    "If no fields are specified at all, it makes no sense to use the EAN128 criteria type.";
const char CriteriaForm::kszNonNumericField[] = "All field identifiers in EAN128 (AI) must be numeric.";

namespace
{
struct KindControl
{
  int nId;
  Criteria::Kind kind;
};

const KindControl krgKindControls[] = {
    {IDC_CRITERIA_MIN_LABEL, Criteria::kindLength},
    {IDC_CRITERIA_MIN, Criteria::kindLength},
    {IDC_CRITERIA_MIN_SPIN, Criteria::kindLength},
    {IDC_CRITERIA_MAX_LABEL, Criteria::kindLength},
    {IDC_CRITERIA_MAX, Criteria::kindLength},
    {IDC_CRITERIA_MAX_SPIN, Criteria::kindLength},
    {IDC_CRITERIA_START_LABEL, Criteria::kindStringExpression},
    {IDC_CRITERIA_START, Criteria::kindStringExpression},
    {IDC_CRITERIA_START_SPIN, Criteria::kindStringExpression},
    {IDC_CRITERIA_EXPRESSION_LABEL, Criteria::kindStringExpression},
    {IDC_CRITERIA_EXPRESSION, Criteria::kindStringExpression},
    {IDC_CRITERIA_PRESENT_LABEL, Criteria::kindEAN128},
    {IDC_CRITERIA_PRESENT, Criteria::kindEAN128},
    {IDC_CRITERIA_NOT_PRESENT_LABEL, Criteria::kindEAN128},
    {IDC_CRITERIA_NOT_PRESENT, Criteria::kindEAN128},
};

CriteriaForm::Check refuse(const char* pszMessage, int nFocusId)
{
  return CriteriaForm::Check{CriteriaForm::Verdict::Refuse, pszMessage, nFocusId};
}

CriteriaForm::Check accept()
{
  return CriteriaForm::Check();
}

// A value that is not a number counts as below 1: the dialog refuses it with that field's message.
int numberOrZero(const std::string& strText)
{
  int nValue = 0;
  return CriteriaForm::parseNumber(strText, nValue) ? nValue : 0;
}

bool isNumericAI(const std::string& strAI)
{
  if (strAI.empty())
    return false;
  for (char c : strAI)
    if (!std::isdigit(static_cast<unsigned char>(c)))
      return false;
  return true;
}

// An item of blanks only would become an AI that no field has, so the criterion could never
// match: it is refused like any other AI that is not a number.
bool allNumeric(const std::vector<std::string>& rgstrAIs)
{
  for (const std::string& strAI : rgstrAIs)
    if (!isNumericAI(strAI))
      return false;
  return true;
}

// A list of blanks only holds no field.
std::vector<std::string> aisOf(const std::string& strList)
{
  return Criteria::walkAIList(ExpressionSyntax::trimBlanks(strList));
}
}  // namespace

CriteriaForm::Fields CriteriaForm::fieldsOf(const Criteria& criteria)
{
  Fields fields;
  fields.kind = criteria.getKind();
  fields.strMinLength = std::to_string(criteria.getMinLength());
  fields.strMaxLength = std::to_string(criteria.getMaxLength());
  fields.strStartPosition = std::to_string(criteria.getStartPosition());
  fields.strExpression = criteria.getExpression();
  fields.strFieldsPresent = criteria.getFieldsPresent();
  fields.strFieldsNotPresent = criteria.getFieldsNotPresent();
  return fields;
}

int CriteriaForm::radioOf(Criteria::Kind kind)
{
  switch (kind)
  {
  case Criteria::kindStringExpression: return IDC_CRITERIA_STRING;
  case Criteria::kindEAN128: return IDC_CRITERIA_EAN128;
  case Criteria::kindLength: break;
  }
  return IDC_CRITERIA_LENGTH;
}

const std::vector<int>& CriteriaForm::kindControls()
{
  static const std::vector<int> krgIds = [] {
    std::vector<int> rgIds;
    for (const KindControl& control : krgKindControls)
      rgIds.push_back(control.nId);
    return rgIds;
  }();
  return krgIds;
}

bool CriteriaForm::isEnabledFor(int nControlId, Criteria::Kind kind)
{
  for (const KindControl& control : krgKindControls)
    if (control.nId == nControlId)
      return control.kind == kind;
  return true;
}

CriteriaForm::Check CriteriaForm::check(const Fields& fields)
{
  switch (fields.kind)
  {
  case Criteria::kindStringExpression: return checkString(fields);
  case Criteria::kindEAN128: return checkEAN128(fields);
  case Criteria::kindLength: break;
  }
  return checkLength(fields);
}

CriteriaForm::Check CriteriaForm::checkLength(const Fields& fields)
{
  int nMin = numberOrZero(fields.strMinLength);
  int nMax = numberOrZero(fields.strMaxLength);
  if (nMin < 1)
    return refuse(kszMinTooSmall, IDC_CRITERIA_MIN);
  if (nMax < 1)
    return refuse(kszMaxTooSmall, IDC_CRITERIA_MAX);
  if (nMin > nMax)
    return refuse(kszMinAboveMax, IDC_CRITERIA_MIN);
  return accept();
}

CriteriaForm::Check CriteriaForm::checkString(const Fields& fields)
{
  if (numberOrZero(fields.strStartPosition) < 1)
    return refuse(kszStartTooSmall, IDC_CRITERIA_START);
  if (fields.strExpression.empty())
    return refuse(kszEmptyExpression, IDC_CRITERIA_EXPRESSION);
  if (fields.strExpression.find_first_of("*?") == std::string::npos)
    return Check{Verdict::AskWildcard, wildcardQuestion(fields.strExpression), IDC_CRITERIA_EXPRESSION};
  return accept();
}

CriteriaForm::Check CriteriaForm::checkEAN128(const Fields& fields)
{
  std::vector<std::string> rgstrPresent = aisOf(fields.strFieldsPresent);
  std::vector<std::string> rgstrNotPresent = aisOf(fields.strFieldsNotPresent);
  if (rgstrPresent.empty() && rgstrNotPresent.empty())
    return Check{Verdict::SwitchToString, kszNoFields, IDC_CRITERIA_EXPRESSION};
  if (!allNumeric(rgstrPresent))
    return refuse(kszNonNumericField, IDC_CRITERIA_PRESENT);
  if (!allNumeric(rgstrNotPresent))
    return refuse(kszNonNumericField, IDC_CRITERIA_NOT_PRESENT);
  return accept();
}

std::string CriteriaForm::wildcardQuestion(const std::string& strExpression)
{
  return ExpressionSyntax::fill(
      "Please be aware that Quilbar will try to match exactly the expression you have entered: \"%s\". "
      "I.e. it will NOT match \"%sXYZ\". Would you like \"%s<anything>\" to be matched?",
      {strExpression, strExpression, strExpression});
}

// The setters cannot refuse what check accepted; a refusal here is a programming error.
void CriteriaForm::apply(const Fields& fields, Criteria& criteria)
{
  switch (fields.kind)
  {
  case Criteria::kindLength:
    criteria.setKindLength();
    QB_ASSERT(criteria.setMinLength(numberOrZero(fields.strMinLength)));
    QB_ASSERT(criteria.setMaxLength(numberOrZero(fields.strMaxLength)));
    break;
  case Criteria::kindStringExpression:
    criteria.setKindStringExpression();
    QB_ASSERT(criteria.setStartPosition(numberOrZero(fields.strStartPosition)));
    criteria.setExpression(fields.strExpression);
    break;
  case Criteria::kindEAN128:
    criteria.setKindEAN128();
    criteria.setFieldsPresent(fields.strFieldsPresent);
    criteria.setFieldsNotPresent(fields.strFieldsNotPresent);
    break;
  }
}

bool CriteriaForm::parseNumber(const std::string& strText, int& nValue)
{
  std::string strNumber = ExpressionSyntax::trimBlanks(strText);
  size_t nPos = 0;
  bool fNegative = false;
  if (nPos < strNumber.size() && (strNumber[nPos] == '+' || strNumber[nPos] == '-'))
    fNegative = strNumber[nPos++] == '-';
  if (nPos == strNumber.size())
    return false;
  long long nNumber = 0;
  for (; nPos < strNumber.size(); ++nPos)
  {
    unsigned char c = static_cast<unsigned char>(strNumber[nPos]);
    if (!std::isdigit(c))
      return false;
    nNumber = nNumber * 10 + (c - '0');
    if (nNumber > static_cast<long long>(INT_MAX) + 1)
      return false;
  }
  if (fNegative)
    nNumber = -nNumber;
  if (nNumber > INT_MAX || nNumber < INT_MIN)
    return false;
  nValue = static_cast<int>(nNumber);
  return true;
}
