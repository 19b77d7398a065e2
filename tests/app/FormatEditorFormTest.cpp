#include "dataedit/FormatEditorForm.h"
#include "app/ResourceIds.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
Criteria lengthCriteria(int nMin, int nMax)
{
  Criteria criteria;
  criteria.setKindLength();
  criteria.setMinLength(nMin);
  criteria.setMaxLength(nMax);
  return criteria;
}

Criteria stringCriteria(int nStart, const std::string& strExpression)
{
  Criteria criteria;
  criteria.setKindStringExpression();
  criteria.setStartPosition(nStart);
  criteria.setExpression(strExpression);
  return criteria;
}

std::vector<std::string> mapKeys(const DataEditFormat& format)
{
  std::vector<std::string> rgKeys;
  for (const auto& entry : format.getCriteriaMap().getEntries())
    rgKeys.push_back(entry.first);
  return rgKeys;
}

class FormatEditorFormTest : public ::testing::Test
{
protected:
  FormatEditorFormTest()
  {
    m_format.setName("Labels");
    m_format.setOutput("Input()");
    m_format.getCriteriaMap().add(std::make_unique<Criteria>(lengthCriteria(1, 5)));
    m_format.getCriteriaMap().add(std::make_unique<Criteria>(stringCriteria(1, "A*")));
  }

  DataEditFormat m_format;
};
}  // namespace

TEST_F(FormatEditorFormTest, ListsTheDescriptionsOfTheFormatsCriteria)
{
  FormatEditorForm form(m_format);
  std::vector<std::string> rgExpected = {"Expression (start = 1, \"A*\")", "Length (min = 1, max = 5)"};
  EXPECT_EQ(rgExpected, form.criteriaLines());
  ASSERT_NE(nullptr, form.criteriaAt(1));
  EXPECT_TRUE(form.criteriaAt(1)->isKindLength());
  EXPECT_EQ(nullptr, form.criteriaAt(2));
  EXPECT_EQ(nullptr, form.criteriaAt(-1));
}

TEST_F(FormatEditorFormTest, AddAppendsOrRefusesWithTheMessage)
{
  struct Row
  {
    const char* pszCase;
    Criteria criteria;
    std::string strMessage;
  };
  const Row rgRows[] = {
      {"a new expression", stringCriteria(2, "B*"), ""},
      {"a second length", lengthCriteria(2, 3), "There can only be one length criteria per format."},
      {"an existing description", stringCriteria(1, "A*"),
       "The criteria Expression (start = 1, \"A*\") already exist."},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    DataEditFormat format(m_format);
    FormatEditorForm form(format);
    std::vector<std::string> rgBefore = form.criteriaLines();
    DataEditingMessage message = form.addCriteria(row.criteria);
    EXPECT_EQ(row.strMessage, message.strText);
    if (row.strMessage.empty())
    {
      ASSERT_EQ(rgBefore.size() + 1, form.criteriaLines().size());
      EXPECT_EQ(row.criteria.getDescription(), form.criteriaLines().back());
      EXPECT_NE(nullptr, format.getCriteriaMap().lookup(row.criteria.getDescription()));
    }
    else
    {
      EXPECT_EQ(DataEditingMessage::Icon::Stop, message.icon);
      EXPECT_EQ(rgBefore, form.criteriaLines());
      EXPECT_EQ(2, format.getCriteriaMap().getCount());
    }
  }
}

// A refused edit keeps the user's criterion, on its line, with the same message as Add.
TEST_F(FormatEditorFormTest, RefusedEditKeepsTheOriginalCriterion)
{
  struct Row
  {
    const char* pszCase;
    int nLine;
    Criteria edited;
    std::string strMessage;
  };
  const Row rgRows[] = {
      {"expression into a second length", 0, lengthCriteria(2, 3),
       "There can only be one length criteria per format."},
      {"length into an existing description", 1, stringCriteria(1, "A*"),
       "The criteria Expression (start = 1, \"A*\") already exist."},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    DataEditFormat format(m_format);
    FormatEditorForm form(format);
    std::vector<std::string> rgLinesBefore = form.criteriaLines();
    std::vector<std::string> rgKeysBefore = mapKeys(format);
    DataEditingMessage message = form.editCriteria(row.nLine, row.edited);
    EXPECT_EQ(row.strMessage, message.strText);
    EXPECT_EQ(rgLinesBefore, form.criteriaLines());
    EXPECT_EQ(rgKeysBefore, mapKeys(format)) << "the original criterion must stay in the format";
  }
}

TEST_F(FormatEditorFormTest, AcceptedEditReplacesTheCriterionOnItsLine)
{
  struct Row
  {
    const char* pszCase;
    int nLine;
    Criteria edited;
  };
  const Row rgRows[] = {
      {"length into another length", 1, lengthCriteria(2, 9)},
      {"expression into a new expression", 0, stringCriteria(4, "Q?")},
      {"unchanged", 0, stringCriteria(1, "A*")},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    DataEditFormat format(m_format);
    FormatEditorForm form(format);
    std::string strOld = form.criteriaLines()[row.nLine];
    EXPECT_TRUE(form.editCriteria(row.nLine, row.edited).isEmpty());
    EXPECT_EQ(row.edited.getDescription(), form.criteriaLines()[row.nLine]);
    EXPECT_EQ(2u, form.criteriaLines().size());
    EXPECT_EQ(2, format.getCriteriaMap().getCount());
    EXPECT_NE(nullptr, format.getCriteriaMap().lookup(row.edited.getDescription()));
    if (strOld != row.edited.getDescription())
    {
      EXPECT_EQ(nullptr, format.getCriteriaMap().lookup(strOld));
    }
  }
}

TEST_F(FormatEditorFormTest, RemoveTakesTheLineAndTheCriterion)
{
  FormatEditorForm form(m_format);
  form.removeCriteria(0);
  EXPECT_EQ(std::vector<std::string>{"Length (min = 1, max = 5)"}, form.criteriaLines());
  EXPECT_EQ(1, m_format.getCriteriaMap().getCount());
  form.removeCriteria(5);  // no such line: nothing happens
  EXPECT_EQ(1, m_format.getCriteriaMap().getCount());
}

// OK checks the expression first, then the name, then that there is a criterion.
TEST_F(FormatEditorFormTest, OkChecksInOrder)
{
  struct Row
  {
    const char* pszCase;
    std::string strName;
    std::string strOutput;
    bool fCriteria;
    std::string strMessage;
    int nFocusId;
  };
  const Row rgRows[] = {
      {"all good", "Labels", "Left(2) + \"<CR>\"", true, "", 0},
      {"empty expression", "Labels", "", true, "", 0},
      {"missing parenthesis", "Labels", "Left(1", true,
       "Undefined function or invalid function call syntax [ Left(1 ].", IDC_FORMATEDITOR_OUTPUT},
      {"syntax before name", "", "Foo()", false, "Undefined function [ Foo() ].", IDC_FORMATEDITOR_OUTPUT},
      {"no name", "", "Input()", true, "A data editing format must have a name.", IDC_FORMATEDITOR_NAME},
      {"name before criteria", "", "Input()", false, "A data editing format must have a name.",
       IDC_FORMATEDITOR_NAME},
      {"no criteria", "Labels", "Input()", false, "A data editing format must have at least one critiera.",
       IDC_FORMATEDITOR_CRITERIA},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    DataEditFormat format(m_format);
    if (!row.fCriteria)
      format.getCriteriaMap().removeAll();
    FormatEditorForm form(format);
    DataEditingMessage message = form.check(row.strName, row.strOutput);
    EXPECT_EQ(row.strMessage, message.strText);
    EXPECT_EQ(row.nFocusId, message.nFocusId);
    if (!row.strMessage.empty())
    {
      EXPECT_EQ(DataEditingMessage::Icon::Stop, message.icon);
    }
  }
}

TEST_F(FormatEditorFormTest, NameAndOutputReachTheFormatOnlyOnApply)
{
  FormatEditorForm form(m_format);
  form.addCriteria(stringCriteria(3, "X*"));
  EXPECT_EQ(3, m_format.getCriteriaMap().getCount()) << "criteria changes take effect at once";
  EXPECT_TRUE(form.check("Renamed", "Right(1)").isEmpty());
  EXPECT_EQ("Labels", m_format.getName());
  form.apply("Renamed", "Right(1)");
  EXPECT_EQ("Renamed", m_format.getName());
  EXPECT_EQ("Right(1)", m_format.getOutput());
}

TEST(FormatEditorStatusTest, ShowsOkOrTheSyntaxErrorOnOneLine)
{
  struct Row
  {
    const char* pszOutput;
    const char* pszStatus;
  };
  const Row rgRows[] = {
      {"Input() + \"<CR>\"", "Expression OK"},
      {"", "Expression OK"},
      {"EAN128Field(01) + \"<TAB>\" + EAN128Field(10)", "Expression OK"},
      // Actions are only checked, never run: no program starts, no delay passes.
      {"RunApp(\"notepad.exe\") + Delay(600000)", "Expression OK"},
      {"Input(1)", "Function does not take any arguments [ Input(1) ]."},
      {"Left(1", "Undefined function or invalid function call syntax [ Left(1 ]."},
      {"\"<CR\"", "String in constant expression could not be parsed [ \"<CR\" ]."},
      {"Delay(-1)", "Negative argument not allowed [ Delay(-1) ]."},
      // The error texts that end with a line feed lose it.
      {"Mid(1, x)", "Only digits allowed [ x ]."},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszOutput);
    EXPECT_EQ(row.pszStatus, FormatEditorForm::expressionStatus(row.pszOutput));
  }
}
