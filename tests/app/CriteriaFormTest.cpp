#include "dataedit/CriteriaForm.h"
#include "app/ResourceIds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Verdict = CriteriaForm::Verdict;

CriteriaForm::Fields lengthFields(const std::string& strMin, const std::string& strMax)
{
  CriteriaForm::Fields fields;
  fields.kind = Criteria::kindLength;
  fields.strMinLength = strMin;
  fields.strMaxLength = strMax;
  return fields;
}

CriteriaForm::Fields stringFields(const std::string& strStart, const std::string& strExpression)
{
  CriteriaForm::Fields fields;
  fields.kind = Criteria::kindStringExpression;
  fields.strStartPosition = strStart;
  fields.strExpression = strExpression;
  return fields;
}

CriteriaForm::Fields ean128Fields(const std::string& strPresent, const std::string& strNotPresent)
{
  CriteriaForm::Fields fields;
  fields.kind = Criteria::kindEAN128;
  fields.strFieldsPresent = strPresent;
  fields.strFieldsNotPresent = strNotPresent;
  return fields;
}

struct CheckRow
{
  const char* pszCase;
  CriteriaForm::Fields fields;
  Verdict verdict;
  std::string strMessage;
  int nFocusId;
};

const char kszMin[] = "Minimum length must be greater than 1.";
const char kszMax[] = "Maximum length must be greater than 1.";
const char kszMinAboveMax[] = "Minimum length can't be greater than maximum.";
const char kszStart[] = "Start position must be greater than 1.";
const char kszEmpty[] = "The expression can't be empty.";
const char kszNoFields[] = "If no fields are specified at all, it makes no sense to use the EAN128 criteria type.";
const char kszNumeric[] = "All field identifiers in EAN128 (AI) must be numeric.";
}  // namespace

TEST(CriteriaFormTest, OkChecksInOrderWithMessageAndFocus)
{
  const std::string strAskAB =
      "Please be aware that Quilbar will try to match exactly the expression you have entered: \"AB\". "
      "I.e. it will NOT match \"ABXYZ\". Would you like \"AB<anything>\" to be matched?";
  const CheckRow rgRows[] = {
      {"length 1..1", lengthFields("1", "1"), Verdict::Accept, "", 0},
      {"length beyond the spin range", lengthFields("100", "150"), Verdict::Accept, "", 0},
      {"blanks around numbers", lengthFields(" 7 ", "9"), Verdict::Accept, "", 0},
      {"min 0", lengthFields("0", "5"), Verdict::Refuse, kszMin, IDC_CRITERIA_MIN},
      {"min negative", lengthFields("-3", "5"), Verdict::Refuse, kszMin, IDC_CRITERIA_MIN},
      {"min not a number", lengthFields("abc", "5"), Verdict::Refuse, kszMin, IDC_CRITERIA_MIN},
      {"min empty", lengthFields("", "5"), Verdict::Refuse, kszMin, IDC_CRITERIA_MIN},
      {"min beyond int", lengthFields("99999999999", "5"), Verdict::Refuse, kszMin, IDC_CRITERIA_MIN},
      {"max 0", lengthFields("5", "0"), Verdict::Refuse, kszMax, IDC_CRITERIA_MAX},
      {"both 0: min first", lengthFields("0", "0"), Verdict::Refuse, kszMin, IDC_CRITERIA_MIN},
      {"min above max", lengthFields("6", "5"), Verdict::Refuse, kszMinAboveMax, IDC_CRITERIA_MIN},
      {"string with wildcard", stringFields("1", "AB*"), Verdict::Accept, "", 0},
      {"string with question mark", stringFields("3", "?B"), Verdict::Accept, "", 0},
      {"start 0", stringFields("0", "AB*"), Verdict::Refuse, kszStart, IDC_CRITERIA_START},
      {"start not a number", stringFields("x", "AB*"), Verdict::Refuse, kszStart, IDC_CRITERIA_START},
      {"empty expression", stringFields("1", ""), Verdict::Refuse, kszEmpty, IDC_CRITERIA_EXPRESSION},
      {"start before expression", stringFields("0", ""), Verdict::Refuse, kszStart, IDC_CRITERIA_START},
      {"no wildcard: the question", stringFields("1", "AB"), Verdict::AskWildcard, strAskAB,
       IDC_CRITERIA_EXPRESSION},
      {"fields present", ean128Fields("01, 10", ""), Verdict::Accept, "", 0},
      {"fields not present only", ean128Fields("", "21"), Verdict::Accept, "", 0},
      {"quoted AI", ean128Fields("\"01\"", ""), Verdict::Accept, "", 0},
      {"walk stops at an empty item", ean128Fields("01,,x", ""), Verdict::Accept, "", 0},
      {"no fields", ean128Fields("", ""), Verdict::SwitchToString, kszNoFields, IDC_CRITERIA_EXPRESSION},
      {"blanks only", ean128Fields("  ", " "), Verdict::SwitchToString, kszNoFields, IDC_CRITERIA_EXPRESSION},
      {"letter in present", ean128Fields("01,1x", ""), Verdict::Refuse, kszNumeric, IDC_CRITERIA_PRESENT},
      {"letter in not present", ean128Fields("01", "2a"), Verdict::Refuse, kszNumeric, IDC_CRITERIA_NOT_PRESENT},
      {"blank item is no AI", ean128Fields("01,  ,10", ""), Verdict::Refuse, kszNumeric, IDC_CRITERIA_PRESENT},
  };
  for (const CheckRow& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    CriteriaForm::Check check = CriteriaForm::check(row.fields);
    EXPECT_EQ(static_cast<int>(row.verdict), static_cast<int>(check.verdict));
    EXPECT_EQ(row.strMessage, check.strMessage);
    EXPECT_EQ(row.nFocusId, check.nFocusId);
  }
}

TEST(CriteriaFormTest, EachKindEnablesOnlyItsOwnControls)
{
  struct Row
  {
    int nId;
    bool fLength, fString, fEAN128;
  };
  const Row rgRows[] = {
      {IDC_CRITERIA_MIN, true, false, false},          {IDC_CRITERIA_MIN_SPIN, true, false, false},
      {IDC_CRITERIA_MAX, true, false, false},          {IDC_CRITERIA_MAX_SPIN, true, false, false},
      {IDC_CRITERIA_MIN_LABEL, true, false, false},    {IDC_CRITERIA_MAX_LABEL, true, false, false},
      {IDC_CRITERIA_START, false, true, false},        {IDC_CRITERIA_START_SPIN, false, true, false},
      {IDC_CRITERIA_EXPRESSION, false, true, false},   {IDC_CRITERIA_START_LABEL, false, true, false},
      {IDC_CRITERIA_EXPRESSION_LABEL, false, true, false},
      {IDC_CRITERIA_PRESENT, false, false, true},      {IDC_CRITERIA_NOT_PRESENT, false, false, true},
      {IDC_CRITERIA_PRESENT_LABEL, false, false, true}, {IDC_CRITERIA_NOT_PRESENT_LABEL, false, false, true},
      {IDC_CRITERIA_LENGTH, true, true, true},         {IDC_CRITERIA_STRING, true, true, true},
      {IDC_CRITERIA_EAN128, true, true, true},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.nId);
    EXPECT_EQ(row.fLength, CriteriaForm::isEnabledFor(row.nId, Criteria::kindLength));
    EXPECT_EQ(row.fString, CriteriaForm::isEnabledFor(row.nId, Criteria::kindStringExpression));
    EXPECT_EQ(row.fEAN128, CriteriaForm::isEnabledFor(row.nId, Criteria::kindEAN128));
  }
  // Every control that depends on the kind is in the table above, once.
  EXPECT_EQ(15u, CriteriaForm::kindControls().size());
}

TEST(CriteriaFormTest, RadioButtonsFollowTheKind)
{
  EXPECT_EQ(IDC_CRITERIA_LENGTH, CriteriaForm::radioOf(Criteria::kindLength));
  EXPECT_EQ(IDC_CRITERIA_STRING, CriteriaForm::radioOf(Criteria::kindStringExpression));
  EXPECT_EQ(IDC_CRITERIA_EAN128, CriteriaForm::radioOf(Criteria::kindEAN128));
}

TEST(CriteriaFormTest, YesToTheQuestionAppendsAWildcardThatThenPasses)
{
  CriteriaForm::Fields fields = stringFields("1", "<CR>");
  ASSERT_EQ(static_cast<int>(Verdict::AskWildcard), static_cast<int>(CriteriaForm::check(fields).verdict));
  fields.strExpression = CriteriaForm::withWildcard(fields.strExpression);
  EXPECT_EQ("<CR>*", fields.strExpression);
  EXPECT_EQ(static_cast<int>(Verdict::Accept), static_cast<int>(CriteriaForm::check(fields).verdict));
}

TEST(CriteriaFormTest, OpeningShowsEveryValueOfTheCriterion)
{
  Criteria criteria;
  criteria.setKindEAN128();
  criteria.setMinLength(3);
  criteria.setMaxLength(12);
  criteria.setStartPosition(4);
  criteria.setExpression("AB*");
  criteria.setFieldsPresent("01");
  criteria.setFieldsNotPresent("21");
  CriteriaForm::Fields fields = CriteriaForm::fieldsOf(criteria);
  EXPECT_EQ(Criteria::kindEAN128, fields.kind);
  EXPECT_EQ("3", fields.strMinLength);
  EXPECT_EQ("12", fields.strMaxLength);
  EXPECT_EQ("4", fields.strStartPosition);
  EXPECT_EQ("AB*", fields.strExpression);
  EXPECT_EQ("01", fields.strFieldsPresent);
  EXPECT_EQ("21", fields.strFieldsNotPresent);
}

// OK stores the chosen kind with its own values; what the other kinds hold stays as it was.
TEST(CriteriaFormTest, OkStoresTheChosenKindWithItsValuesOnly)
{
  struct Row
  {
    const char* pszCase;
    CriteriaForm::Fields fields;
    std::string strDescription;
  };
  const Row rgRows[] = {
      {"length", lengthFields("2", "120"), "Length (min = 2, max = 120)"},
      {"string", stringFields("3", "AB*"), "Expression (start = 3, \"AB*\")"},
      {"ean128", ean128Fields("01, 10", "21"), "EAN128 (must = \"01, 10\", must not = \"21\")"},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    Criteria criteria;
    criteria.setMinLength(5);
    criteria.setMaxLength(6);
    criteria.setStartPosition(7);
    criteria.setExpression("old*");
    criteria.setFieldsPresent("90");
    criteria.setFieldsNotPresent("91");
    CriteriaForm::Fields fields = row.fields;
    // Values typed into the controls of other kinds are not stored.
    if (fields.kind != Criteria::kindLength)
      fields.strMinLength = fields.strMaxLength = "44";
    if (fields.kind != Criteria::kindStringExpression)
      fields.strExpression = "typed*";
    CriteriaForm::apply(fields, criteria);
    EXPECT_EQ(row.strDescription, criteria.getDescription());
    if (!criteria.isKindLength())
    {
      EXPECT_EQ(5, criteria.getMinLength());
      EXPECT_EQ(6, criteria.getMaxLength());
    }
    if (!criteria.isKindStringExpression())
    {
      EXPECT_EQ("old*", criteria.getExpression());
    }
    if (!criteria.isKindEAN128())
    {
      EXPECT_EQ("90", criteria.getFieldsPresent());
    }
  }
}

TEST(CriteriaFormTest, NumbersAreDigitsWithAnOptionalSignInsideTheIntegerRange)
{
  struct Row
  {
    const char* pszText;
    bool fOk;
    int nValue;
  };
  const Row rgRows[] = {
      {"1", true, 1},          {" 42 ", true, 42},       {"+7", true, 7},         {"-3", true, -3},
      {"0099", true, 99},      {"2147483647", true, 2147483647},
      {"2147483648", false, 0}, {"-2147483648", true, -2147483647 - 1},
      {"99999999999999999999", false, 0}, {"", false, 0}, {"  ", false, 0}, {"-", false, 0},
      {"12a", false, 0},       {"1 2", false, 0},        {"0x10", false, 0},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszText);
    int nValue = 0;
    EXPECT_EQ(row.fOk, CriteriaForm::parseNumber(row.pszText, nValue));
    if (row.fOk)
    {
      EXPECT_EQ(row.nValue, nValue);
    }
  }
}
