#include "engine/ExpressionEvaluator.h"

#include "engine/DataEditFormat.h"

#include "ExpressionTestFixture.h"

#include <string>

namespace
{
struct Row
{
  std::string strData;
  std::string strExpression;
  bool fOk;
  std::string strPieces;  // each piece followed by "|"
  std::string strError;
};

class ExpressionEvaluatorTest : public ExpressionTestFixture
{
protected:
  void check(const Row& row)
  {
    SCOPED_TRACE("data [" + row.strData + "] expression [" + row.strExpression + "]");
    EXPECT_EQ(row.fOk, run(row.strExpression, row.strData));
    EXPECT_EQ(row.strPieces, pieces());
    EXPECT_EQ(row.strError, m_strError);
  }
};
}  // namespace

TEST_F(ExpressionEvaluatorTest, ConcatenatesConstantsAndFunctionResults)
{
  const Row rgRows[] = {
    {"12345", "", true, "", ""},
    {"12345", "   ", true, "", ""},
    {"12345", "Input()", true, "12345|", ""},
    {"12345", "input()", true, "12345|", ""},
    {"12345", "INPUT( )", true, "12345|", ""},
    {"12345", "Input() + \"<CR>\"", true, "12345|\r|", ""},
    {"12345", "  \"a\"+\"b\"  +  \"c\"  ", true, "a|b|c|", ""},
    {"12345", "\"\"", true, "|", ""},
    {"12345", "\"x+y\"", true, "x+y|", ""},
    {"12345", "\"\\x22\"", true, "\"|", ""},
    {"12345", "\"<GS>\\d065\\<\"", true, "\x1D" "A<|", ""},
    {"12345", "\"a\"\t", true, "a|", ""},
    {"12345", "\"A<NUL>B\"", true, "A|", ""},  // a piece ends at its first zero byte
    {"12345", "Input() +", true, "12345|", ""},  // nothing after the last "+" is no term
  };
  for (const Row& row : rgRows)
    check(row);
}

TEST_F(ExpressionEvaluatorTest, ReportsMalformedTermsAndStopsThere)
{
  const Row rgRows[] = {
    {"1", "\"<CR\"", false, "", "String in constant expression could not be parsed [ \"<CR\" ]."},
    {"1", "\"a\" \"b\"", false, "", "Invalid constant string expression [ \"a\" \"b\" ]."},
    {"1", "\"a\"x", false, "", "Invalid constant string expression [ \"a\"x ]."},
    {"1", "\"abc", false, "", "Invalid constant string expression [ \"abc ]."},
    {"1", "\"a\"\"b\"", false, "", "Invalid constant string expression [ \"a\"b\" ]."},
    {"1", "Input ()", false, "", "Undefined function or invalid function call syntax [ Input () ]."},
    {"1", "Input(", false, "", "Undefined function or invalid function call syntax [ Input( ]."},
    {"1", "Input", false, "", "Undefined function or invalid function call syntax [ Input ]."},
    {"1", "Input)", false, "", "Undefined function or invalid function call syntax [ Input) ]."},
    {"1", "Input() x", false, "", "Undefined function or invalid function call syntax [ Input() x ]."},
    {"1", "Foo()", false, "", "Undefined function [ Foo() ]."},
    {"1", "(1)", false, "", "Undefined function [ (1) ]."},
    {"1", "Input_X()", false, "", "Undefined function or invalid function call syntax [ Input_X() ]."},
    {"1", "\"X\" + Undefined()", false, "X|", "Undefined function [ Undefined() ]."},
    {"1", "+ Input()", false, "", "Undefined function or invalid function call syntax [  ]."},
    {"1", "Input() +  + Input()", false, "1|", "Undefined function or invalid function call syntax [  ]."},
    {"1", "+", false, "", "Undefined function or invalid function call syntax [  ]."},
    {"1", "Input(1)", false, "", "Function does not take any arguments [ Input(1) ]."},
    {"1", "Input( , )", false, "", "Function does not take any arguments [ Input(,) ]."},
    {"1", "Settings(x)", false, "", "Function does not take any arguments [ Settings(x) ]."},
    {"1", "Symbology() + Input()", true, "|1|", ""},
    {"1", "Symbology(2)", false, "", "Function does not take any arguments [ Symbology(2) ]."},
    {"1", "Left()", false, "", "Invalid number of arguments [ Left() ]."},
    {"1", "Left(1,2)", false, "", "Invalid number of arguments [ Left(1,2) ]."},
    {"1", "Mid(1,2,3)", false, "", "Invalid number of arguments [ Mid(1,2,3) ]."},
    {"1", "SubStr(1)", false, "", "Invalid number of arguments [ SubStr(1) ]."},
    {"1", "Date()", false, "", "Invalid number of arguments [ Date() ]."},
    {"1", "Call(a,b)", false, "", "Invalid number of arguments [ Call(a,b) ]."},
    {"1", "WaitForWindow(a)", false, "", "Invalid number of arguments [ WaitForWindow(a) ]."},
  };
  for (const Row& row : rgRows)
    check(row);
}

TEST_F(ExpressionEvaluatorTest, CutsTheDataByPositions)
{
  const Row rgRows[] = {
    {"12345", "Left(2)", true, "12|", ""},
    {"12345", "Right(2)", true, "45|", ""},
    {"12345", "Mid(2)", true, "2345|", ""},
    {"12345", "Mid(2, 3)", true, "234|", ""},
    {"12345", "Left(0)", true, "|", ""},
    {"12345", "Right(0)", true, "|", ""},
    {"12345", "Left(5)", true, "12345|", ""},
    {"12345", "Right(5)", true, "12345|", ""},
    {"12345", "Mid(5)", true, "5|", ""},
    {"12345", "Mid(4,2)", true, "45|", ""},
    {"12345", "Left(2+1)", true, "123|", ""},
    {"12345", "Left(6)", false, "", "Argument out of bounds [ Left(6) ]."},
    {"12345", "left(6)", false, "", "Argument out of bounds [ left(6) ]."},
    {"12345", "Right(6)", false, "", "Argument out of bounds [ Right(6) ]."},
    {"12345", "Mid(6)", false, "", "Argument out of bounds [ Mid(6) ]."},
    {"12345", "Mid(0)", false, "", "Argument out of bounds [ Mid(0) ]."},
    {"12345", "Mid(5, 2)", false, "", "Argument out of bounds [ Mid(5) ]."},
    {"12345", "Mid(0, 2)", false, "", "Argument out of bounds [ Mid(0) ]."},
    {"12345", "Mid(1, 0)", false, "", "Argument out of bounds [ Mid(1) ]."},
    {"12345", "Left(99999999999)", false, "", "Argument out of bounds [ Left(99999999999) ]."},
    {"12345", "Mid(2147483647, 2147483647)", false, "", "Argument out of bounds [ Mid(2147483647) ]."},
    {"", "Left(1)", false, "", "Argument out of bounds [ Left(1) ]."},
    {"", "Mid(1)", false, "", "Argument out of bounds [ Mid(1) ]."},
    {"ABC-123", "Left(\"-\")", true, "ABC-|", ""},
    {"ABC-123", "Left(\"-\"-1)", true, "ABC|", ""},
    {"ABC-123", "Left(1-\"-\")", true, "ABC-1|", ""},
    {"ABC-123", "Left(5-2)", true, "ABC|", ""},
    {"ABC-123", "Right(\"-\")", true, "-123|", ""},
    {"ABC-123", "Mid(\"-\"+1)", true, "123|", ""},
    {"ABC-123", "Mid(\"B\", \"-\"-2)", true, "BC|", ""},
    {"ABC-123", "Mid(\"B\", \"-\"-\"B\")", true, "BC-123|", ""},  // a quoted term is always added
    {"ABC-123", "Left(x)", false, "", "Only digits allowed [ x ].\n"},
    {"ABC-123", "Left(2*3)", false, "", "Only + or - allowed [ *3 ].\n"},
    {"ABC-123", "Left(\"Q\")", false, "", "Substring [ Q ] not found in data.\n"},
    {"ABC-123", "Mid(1, \"Q\")", false, "", "Substring [ Q ] not found in data.\n"},
    {"ABC-123", "Right(\"-)", false, "", "Missing quote [ \"- ].\n"},
  };
  for (const Row& row : rgRows)
    check(row);
}

TEST_F(ExpressionEvaluatorTest, SubStrTakesTheTextBetweenTwoPlaces)
{
  const Row rgRows[] = {
    {"A1B2C3", "SubStr(\"1\", \"C\")", true, "B2|", ""},
    {"A1B2C3", "SubStr(\"1\", 2)", true, "B|", ""},
    {"A1B2C3", "SubStr(\"1\", 1)", true, "|", ""},
    {"A1B2C3", "SubStr(\"A1\", \"3\")", true, "B2C|", ""},
    {"A1B2C3", "SubStr(\"C3\", 1)", true, "|", ""},   // the start may be the end of the data
    {"A1B2C3", "SubStr(\"1\", \"Q\")", false, "", "Substring [ Q ] not found in data.\n"},
    {"A1B2C3", "SubStr(\"Q\", 2)", false, "", "Substring [ Q ] not found in data.\n"},
    {"A1B2C3", "SubStr(Substring, 2)", true, "|", ""},
    {"A1B2C3", "SubStr(x, 2)", false, "", "Only digits allowed [ x ].\n"},
    {"A1B2C3", "SubStr(\"1\", 7)", false, "", "Argument out of bounds [ SubStr(\"1\") ]."},
    {"A1B2C3", "SubStr(\"1\", 0)", false, "", "Argument out of bounds [ SubStr(\"1\") ]."},
    {"A1B2C3", "SubStr(0, 1)", false, "", "Argument out of bounds [ SubStr(0) ]."},
    {"A1B2C3", "SubStr(9, 1)", false, "", "Argument out of bounds [ SubStr(9) ]."},
    // The first text is long and near the end: its end lies within the data, but q bytes
    // after it do not. Nothing beyond the data may be read.
    {"x123", "SubStr(\"123\", 3)", false, "", "Argument out of bounds [ SubStr(\"123\") ]."},
    {"x123", "SubStr(\"123\", 1)", true, "|", ""},
  };
  for (const Row& row : rgRows)
    check(row);
}

TEST_F(ExpressionEvaluatorTest, FormatsTheLocalTimeWithStrftimeCodes)
{
  // The fake clock says Friday 2024-05-17 09:05:07.
  const Row rgRows[] = {
    {"", "Date(\"%Y-%m-%d\")", true, "2024-05-17|", ""},
    {"", "Time(\"%H:%M:%S\")", true, "09:05:07|", ""},
    {"", "date(\"%d.%m.%y %j %w %%\")", true, "17.05.24 138 5 %|", ""},
    {"", "Date(\"%d,%m\")", true, "17,05|", ""},
    {"", "Date(%Y)", false, "", "Argument must be enclosed in quotes [ Date(%Y) ]."},
    {"", "Date(\")", false, "", "Argument too short [ Date(\")]."},
    {"", "Time(\"\")", false, "", "Error in date/time expression."},
    {"", "Date(\"%Q\")", false, "", "Error in date/time expression."},
    {"", "Date(\"%\")", false, "", "Error in date/time expression."},
    {"", "Date(\"%#d\")", false, "", "Error in date/time expression."},
    {"", "Date(\"" + std::string(99, 'x') + "\")", true, std::string(99, 'x') + "|", ""},
    {"", "Date(\"" + std::string(100, 'x') + "\")", false, "", "Error in date/time expression."},
    {"", "Date(\"%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y%Y\")", false, "", "Error in date/time expression."},
  };
  for (const Row& row : rgRows)
    check(row);
}

TEST_F(ExpressionEvaluatorTest, TakesGs1FieldsByTheirAI)
{
  const std::string strGs1 = "0101234567890128" "10ABC\x1D" "3102000150";
  const Row rgRows[] = {
    {strGs1, "EAN128Field(01)", true, "01234567890128|", ""},
    {strGs1, "EAN128Field(\"10\") + \"/\" + EAN128Field( 310 )", true, "ABC|/|1.50|", ""},
    {strGs1, "EAN128Field(21)", true, "|", ""},  // absent: empty, no error
    {strGs1, "EAN128Field(3102)", true, "|", ""},  // decimal AIs go by their three digits
    {strGs1, "EAN128Field(-1)", false, "", "Negative argument not allowed [ EAN128Field(-1) ]."},
    {"", "EAN128Field(01)", true, "|", ""},
    {"10", "\"a\" + EAN128Field(10)", false, "a|",
     "EAN128 Error: The AI expects at least 1 characters to follow AI, there's only 0 characters.."},
    {"\x1D" "10ABC", "EAN128Field(10)", false, "", "EAN128 Error: Invalid AI identifier (\x1D" "10AB...)."},
  };
  for (const Row& row : rgRows)
    check(row);
}

TEST_F(ExpressionEvaluatorTest, EvaluatesAFormatsExpressionAndKeepsItsRunningProgram)
{
  DataEditFormat format;
  format.setOutput("Left(3) + RunApp(prog.exe) + \"<CR>\"");
  m_collected = Collected();
  EXPECT_TRUE(m_evaluator.evaluate(format, nullptr, "ABCDEF", m_strError, collect, &m_collected,
                                   const_cast<int*>(&kContextMarker)))
    << m_strError;
  EXPECT_EQ("ABC|\r|", pieces());
  EXPECT_EQ(RecordingExpressionActions::handleOf(1), format.getRunningProgram());

  format.setOutput("WaitForAppExit(0)");
  EXPECT_TRUE(m_evaluator.evaluate(format, nullptr, "", m_strError, nullptr, nullptr, nullptr));
  EXPECT_EQ(nullptr, format.getRunningProgram());
  EXPECT_TRUE(m_actions.m_setOpenPrograms.empty());

  DataEditFormat copy(format);
  EXPECT_EQ(nullptr, copy.getRunningProgram());
}

TEST_F(ExpressionEvaluatorTest, ChecksAFormatsSyntax)
{
  DataEditFormat format;
  format.setOutput("Input() + \"<cr>\"");
  std::string strError;
  EXPECT_TRUE(ExpressionEvaluator::checkSyntax(format, strError));
  EXPECT_EQ("", strError);
  format.setOutput("Left(1");
  EXPECT_FALSE(ExpressionEvaluator::checkSyntax(format, strError));
  EXPECT_EQ("Undefined function or invalid function call syntax [ Left(1 ].", strError);
}
