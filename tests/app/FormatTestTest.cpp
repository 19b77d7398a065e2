#include "dataedit/FormatTest.h"
#include "dataedit/FormatTestOutput.h"
#include "engine/ExpressionEvaluator.h"
#include "keyboard/KeyboardEvents.h"
#include "settings/QuilbarProfile.h"
#include "KeyboardFakes.h"
#include "RecordingExpressionActions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using Step = FormatTest::Step;

std::unique_ptr<DataEditFormat> lengthFormat(const std::string& strName, int nOrder, int nMin, int nMax,
                                             const std::string& strOutput)
{
  auto pFormat = std::make_unique<DataEditFormat>();
  pFormat->setName(strName);
  pFormat->setOrder(nOrder);
  pFormat->setOutput(strOutput);
  auto pCriteria = std::make_unique<Criteria>();
  pCriteria->setMinLength(nMin);
  pCriteria->setMaxLength(nMax);
  pFormat->getCriteriaMap().add(std::move(pCriteria));
  return pFormat;
}

// Only formats of length 3 to 4 exist.
QuilbarProfile shortCodesProfile(bool fFilterUnknown)
{
  QuilbarProfile profile;
  profile.getDataEditFormatMap().removeAll();
  profile.getDataEditFormatMap().add("Short", lengthFormat("Short", 0, 3, 4, "Left(1)"));
  profile.setFilterUnkownDataStrings(fFilterUnknown ? 1 : 0);
  return profile;
}
}  // namespace

// The test normalises GS1 input as the pipeline does and shows what became of it.
TEST(FormatTestTest, ShowsTheStringAfterGS1NormalisationAndTheFormRecognised)
{
  QuilbarProfile profile;
  profile.setGS1InputForms(7);
  struct Row
  {
    const char* pszInput;
    std::string strData;
    std::string strNormalisedField;
    std::string strGS1FormField;
    std::string strSymbology;
  } rgRows[] = {
    {"]Q1https://id.gs1.org/01/09520123456788/10/AB?17=261231", "0109520123456788" "10AB\x1D" "17261231",
     "010952012345678810AB<GS>17261231", "GS1 Digital Link URI, symbology identifier ]Q1", "]Q1"},
    {"(01)09520123456788", "0109520123456788", "0109520123456788", "Bracketed GS1 element string", ""},
    {"]d2010952012345678810AB", "010952012345678810AB", "010952012345678810AB",
     "GS1 element string, symbology identifier ]d2", "]d2"},
    {"https://id.gs1.org/01/09520123456789", "https://id.gs1.org/01/09520123456789",
     "https://id.gs1.org/01/09520123456789",
     "None (data as received): not a GS1 Digital Link URI: wrong check digit in AI (01) 09520123456789", ""},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszInput);
    FormatTest::Plan plan = FormatTest::plan(profile, row.pszInput);
    std::string strExpected;
    ASSERT_TRUE(FormatTest::convertInput(row.strData, strExpected));
    EXPECT_EQ(strExpected, plan.strData);
    EXPECT_EQ(row.strNormalisedField, plan.strNormalisedField);
    EXPECT_EQ(row.strGS1FormField, plan.strGS1FormField);
    EXPECT_EQ(row.strSymbology, plan.strSymbology);
  }
  profile.setGS1InputForms(0);
  EXPECT_EQ("(01)09520123456788", FormatTest::plan(profile, "(01)09520123456788").strData);
}

TEST(FormatTestTest, ChoosesTheFormatOrSaysWhatHappensToUnknownData)
{
  struct Row
  {
    const char* pszCase;
    QuilbarProfile profile;
    const char* pszInput;
    Step step;
    std::string strFormatField;
    std::string strData;
    std::string strExpression;
  };
  const Row rgRows[] = {
      {"default format", QuilbarProfile(), "12345<CR>", Step::Evaluate, "Default", "12345\r", "Input() + \"<cr>\""},
      {"empty data", QuilbarProfile(), "", Step::Evaluate, "Default", "", "Input() + \"<cr>\""},
      {"malformed notation", QuilbarProfile(), "ab<c", Step::NotationError, "", "", ""},
      {"lone backslash", QuilbarProfile(), "abc\\", Step::NotationError, "", "", ""},
      {"matching length", shortCodesProfile(false), "ABC", Step::Evaluate, "Short", "ABC", "Left(1)"},
      {"passed through", shortCodesProfile(false), "ABCDEF", Step::PassThrough,
       "<No matching data edit format, data passed through>", "ABCDEF", ""},
      {"filtered", shortCodesProfile(true), "ABCDEF", Step::Filtered, "<No matching data edit format, data filtered>",
       "ABCDEF", ""},
      // A zero byte reaches formats as the port reader hands it on.
      {"zero byte", shortCodesProfile(false), "A<NUL>", Step::PassThrough,
       "<No matching data edit format, data passed through>", "A[NULL]", ""},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    FormatTest::Plan plan = FormatTest::plan(row.profile, row.pszInput);
    EXPECT_EQ(static_cast<int>(row.step), static_cast<int>(plan.step));
    EXPECT_EQ(row.strFormatField, plan.strFormatField);
    EXPECT_EQ(row.strData, plan.strData);
    EXPECT_EQ(row.strExpression, plan.strExpression);
  }
}

// The first format in the list wins: changing the order numbers changes the choice.
TEST(FormatTestTest, TheFormatFirstInOrderWins)
{
  QuilbarProfile profile;
  DataEditFormatMap& formats = profile.getDataEditFormatMap();
  formats.removeAll();
  formats.add("Wide", lengthFormat("Wide", 0, 1, 20, "Input()"));
  formats.add("Narrow", lengthFormat("Narrow", 1, 3, 3, "Left(1)"));
  EXPECT_EQ("Wide", FormatTest::plan(profile, "ABC").strFormatField);
  formats.lookup("Wide")->setOrder(1);
  formats.lookup("Narrow")->setOrder(0);
  EXPECT_EQ("Narrow", FormatTest::plan(profile, "ABC").strFormatField);
  EXPECT_EQ("Wide", FormatTest::plan(profile, "ABCD").strFormatField);
}

TEST(FormatTestTest, NotationMessageNamesEveryMalformedForm)
{
  std::string strMessage = FormatTest::kszNotationMessage;
  for (const char* pszForm : {"<ETX>", "\\<", "\\xHH", "\\dDDD"})
  {
    SCOPED_TRACE(pszForm);
    EXPECT_NE(std::string::npos, strMessage.find(pszForm));
  }
}

namespace
{
class FormatTestOutputTest : public ::testing::Test
{
protected:
  FormatTestOutputTest() : m_output(m_profile.getKeyTranslatorMap(), m_foreground, m_caps) {}
  ~FormatTestOutputTest() override { g_fKeyboardEvents = true; }

  QuilbarProfile m_profile;
  keyboardtest::FakeForegroundWindow m_foreground;
  keyboardtest::FakeCapsLockState m_caps;
  FormatTestOutput m_output;
};

void collectPiece(const char* pszPiece, void* pContext1, void*)
{
  static_cast<FormatTestOutput*>(pContext1)->addPiece(pszPiece);
}
}  // namespace

// 12345<CR> with the default format: the data with its carriage return, then the constant's.
TEST_F(FormatTestOutputTest, ShowsThePiecesInTheNotationAndTheKeysTheyWouldPress)
{
  FormatTest::Plan plan = FormatTest::plan(m_profile, "12345<CR>");
  ASSERT_EQ(static_cast<int>(Step::Evaluate), static_cast<int>(plan.step));
  RecordingExpressionActions actions;
  ExpressionEvaluator evaluator(actions);
  ProgramHandle hProgram = nullptr;
  std::string strError;
  ASSERT_TRUE(evaluator.evaluateExpression(plan.strExpression, hProgram, nullptr, plan.strData, strError,
                                           collectPiece, &m_output, nullptr));
  EXPECT_EQ("12345<CR><CR>", m_output.dataOutput());
  EXPECT_EQ("1 2 3 4 5 Enter Enter ", m_output.keyboardOutput());
}

TEST_F(FormatTestOutputTest, PiecesArriveInOrderAroundAnAction)
{
  RecordingExpressionActions actions;
  ExpressionEvaluator evaluator(actions);
  std::vector<std::string> rgSeen;
  struct Context
  {
    FormatTestOutput* pOutput;
    RecordingExpressionActions* pActions;
    std::vector<std::string>* prgSeen;
  } context{&m_output, &actions, &rgSeen};
  // Each piece notes what the actions had done when it arrived.
  auto fnOutput = [](const char* pszPiece, void* pContext1, void*) {
    auto* pContext = static_cast<Context*>(pContext1);
    pContext->pOutput->addPiece(pszPiece);
    pContext->prgSeen->push_back(std::string(pszPiece) + " after " + std::to_string(pContext->pActions->tickCount()));
  };
  ProgramHandle hProgram = nullptr;
  std::string strError;
  ASSERT_TRUE(evaluator.evaluateExpression("\"A\" + Delay(2000) + \"\\<B\"", hProgram, nullptr, "", strError,
                                           fnOutput, &context, nullptr));
  EXPECT_EQ((std::vector<std::string>{"A after 0", "<B after 2000"}), rgSeen);
  EXPECT_EQ("A\\<B", m_output.dataOutput());
}

TEST_F(FormatTestOutputTest, KeyboardEventsSwitchedOffLeaveTheDescriptionEmpty)
{
  g_fKeyboardEvents = false;
  m_output.addPiece("ab");
  EXPECT_EQ("ab", m_output.dataOutput());
  EXPECT_EQ("", m_output.keyboardOutput());
}

// The output window lock is not consulted when only describing.
TEST_F(FormatTestOutputTest, DescriptionIgnoresTheOutputWindowLock)
{
  m_profile.setLockOutputWindow(1);
  m_profile.setTitles({"Only This Window"});
  m_output.addPiece("A\r");
  EXPECT_EQ("A Enter ", m_output.keyboardOutput());
}

TEST_F(FormatTestOutputTest, ClearEmptiesBothTexts)
{
  m_output.addPiece("x");
  m_output.clear();
  EXPECT_EQ("", m_output.dataOutput());
  EXPECT_EQ("", m_output.keyboardOutput());
}
