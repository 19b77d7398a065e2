#include "dataedit/DataEditFormatsForm.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace
{
std::unique_ptr<DataEditFormat> makeFormat(const std::string& strName, int nOrder, const std::string& strOutput)
{
  auto pFormat = std::make_unique<DataEditFormat>();
  pFormat->setName(strName);
  pFormat->setOrder(nOrder);
  pFormat->setOutput(strOutput);
  auto pCriteria = std::make_unique<Criteria>();
  pCriteria->setKindStringExpression();
  pCriteria->setExpression(strName + "*");
  pFormat->getCriteriaMap().add(std::move(pCriteria));
  return pFormat;
}

// Plays the user at the format editor: each opening takes the next scripted answer, which may
// change the format and then ends with OK (true) or Cancel (false).
class ScriptedEditor
{
public:
  struct Answer
  {
    std::string strName;  // empty: leave the name
    bool fOk;
    bool fAddCriteria = false;
  };

  explicit ScriptedEditor(std::deque<Answer> rgAnswers) : m_rgAnswers(std::move(rgAnswers)) {}

  DataEditFormatsForm::FormatEditor editor()
  {
    return [this](DataEditFormat& format, const std::string& strCaption) {
      m_rgCaptions.push_back(strCaption);
      m_rgpFormats.push_back(&format);
      m_rgNamesSeen.push_back(format.getName());
      EXPECT_FALSE(m_rgAnswers.empty()) << "the editor was opened more often than expected";
      if (m_rgAnswers.empty())
        return false;
      Answer answer = m_rgAnswers.front();
      m_rgAnswers.pop_front();
      if (!answer.strName.empty())
        format.setName(answer.strName);
      if (answer.fAddCriteria)
      {
        auto pCriteria = std::make_unique<Criteria>();
        pCriteria->setMinLength(40);
        pCriteria->setMaxLength(50);
        format.getCriteriaMap().add(std::move(pCriteria));
      }
      return answer.fOk;
    };
  }

  DataEditFormatsForm::ErrorReporter reporter()
  {
    return [this](const std::string& strMessage) { m_rgErrors.push_back(strMessage); };
  }

  std::deque<Answer> m_rgAnswers;
  std::vector<std::string> m_rgCaptions;
  std::vector<const DataEditFormat*> m_rgpFormats;
  std::vector<std::string> m_rgNamesSeen;
  std::vector<std::string> m_rgErrors;
};

class DataEditFormatsFormTest : public ::testing::Test
{
protected:
  DataEditFormatsFormTest()
  {
    m_map.add("Default", makeFormat("Default", 2, "Input()"));
    m_map.add("GS1", makeFormat("GS1", 0, "EAN128Field(01)"));
    m_map.add("Labels", makeFormat("Labels", 1, "Left(4)"));
  }

  std::vector<std::string> orderedNames() const
  {
    std::vector<std::string> rgNames;
    for (int nOrder = 0; nOrder < m_map.getCount(); ++nOrder)
    {
      const DataEditFormat* pFormat = m_map.lookupByOrder(nOrder);
      rgNames.push_back(pFormat != nullptr ? pFormat->getName() : "<none>");
    }
    return rgNames;
  }

  DataEditFormatMap m_map;
};

using Lines = std::vector<std::string>;
}  // namespace

TEST_F(DataEditFormatsFormTest, ListsTheNamesInMatchingOrder)
{
  DataEditFormatsForm form(m_map);
  EXPECT_EQ((Lines{"GS1", "Labels", "Default"}), form.lines());
  EXPECT_EQ(-1, form.selection());
  EXPECT_FALSE(form.canEdit());
  EXPECT_FALSE(form.canMoveUp());
  EXPECT_FALSE(form.canMoveDown());
}

TEST_F(DataEditFormatsFormTest, AddedFormatGoesBeforeTheSelectionOrAtTheEnd)
{
  struct Row
  {
    const char* pszCase;
    int nSelection;
    Lines rgExpected;
    int nNewSelection;
  };
  const Row rgRows[] = {
      {"nothing selected", -1, {"GS1", "Labels", "Default", "New"}, 3},
      {"second line selected", 1, {"GS1", "New", "Labels", "Default"}, 1},
      {"first line selected", 0, {"New", "GS1", "Labels", "Default"}, 0},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    DataEditFormatMap map(m_map);
    DataEditFormatsForm form(map);
    form.select(row.nSelection);
    ScriptedEditor user({{"New", true}});
    form.add(user.editor(), user.reporter());
    EXPECT_EQ(row.rgExpected, form.lines());
    EXPECT_EQ(row.nNewSelection, form.selection());
    EXPECT_EQ(Lines{"Add Data Editing Format"}, user.m_rgCaptions);
    EXPECT_EQ(Lines{""}, user.m_rgNamesSeen) << "Add opens the editor on a default format";

    // OK numbers the formats by their lines: those below the new one move down by one.
    form.commitOrder();
    EXPECT_TRUE(map.isOrderConsistent());
    for (int nLine = 0; nLine < 4; ++nLine)
      EXPECT_EQ(nLine, map.lookup(row.rgExpected[nLine])->getOrder());
  }
}

TEST_F(DataEditFormatsFormTest, AddWithATakenNameSaysSoAndReopensTheEditorOnTheSameFormat)
{
  DataEditFormatsForm form(m_map);
  ScriptedEditor user({{"Labels", true}, {"", true}, {"Fresh", true}});
  form.add(user.editor(), user.reporter());
  const Lines rgErrors = {"The data edit format \"Labels\" already exists. Please enter another name.",
                          "The data edit format \"Labels\" already exists. Please enter another name."};
  EXPECT_EQ(rgErrors, user.m_rgErrors);
  ASSERT_EQ(3u, user.m_rgpFormats.size());
  EXPECT_EQ(user.m_rgpFormats[0], user.m_rgpFormats[2]) << "the editor reopens on the same format";
  EXPECT_EQ("Labels", user.m_rgNamesSeen[1]) << "what the user typed stays in the reopened editor";
  EXPECT_EQ((Lines{"GS1", "Labels", "Default", "Fresh"}), form.lines());
  EXPECT_EQ(4, m_map.getCount());
  EXPECT_EQ("Left(4)", m_map.lookup("Labels")->getOutput()) << "the existing format is untouched";
}

TEST_F(DataEditFormatsFormTest, AddCancelledChangesNothing)
{
  DataEditFormatsForm form(m_map);
  form.select(0);
  ScriptedEditor user({{"Labels", true}, {"", false}});
  form.add(user.editor(), user.reporter());
  EXPECT_EQ((Lines{"GS1", "Labels", "Default"}), form.lines());
  EXPECT_EQ(3, m_map.getCount());
  EXPECT_EQ(0, form.selection());
}

TEST_F(DataEditFormatsFormTest, EditRenamesInPlace)
{
  DataEditFormatsForm form(m_map);
  form.select(1);
  ScriptedEditor user({{"Boxes", true, true}});
  form.edit(user.editor(), user.reporter());
  EXPECT_EQ(Lines{"Edit Data Editing Format"}, user.m_rgCaptions);
  EXPECT_EQ(Lines{"Labels"}, user.m_rgNamesSeen);
  EXPECT_EQ((Lines{"GS1", "Boxes", "Default"}), form.lines());
  EXPECT_EQ(1, form.selection());
  EXPECT_EQ(nullptr, m_map.lookup("Labels"));
  ASSERT_NE(nullptr, m_map.lookup("Boxes"));
  EXPECT_EQ(2, m_map.lookup("Boxes")->getCriteriaMap().getCount());
  EXPECT_EQ("Left(4)", m_map.lookup("Boxes")->getOutput());
}

TEST_F(DataEditFormatsFormTest, EditKeepingItsOwnNameIsNoClash)
{
  DataEditFormatsForm form(m_map);
  form.select(2);
  ScriptedEditor user({{"", true}});
  form.edit(user.editor(), user.reporter());
  EXPECT_TRUE(user.m_rgErrors.empty());
  EXPECT_EQ((Lines{"GS1", "Labels", "Default"}), form.lines());
  EXPECT_EQ(3, m_map.getCount());
}

// Renaming to a taken name reopens the editor; Cancel then puts the format back as it was,
// whatever the working copy went through.
TEST_F(DataEditFormatsFormTest, EditIntoATakenNameThenCancelRestoresTheFormat)
{
  DataEditFormatsForm form(m_map);
  form.select(1);
  ScriptedEditor user({{"GS1", true, true}, {"", false}});
  form.edit(user.editor(), user.reporter());
  EXPECT_EQ(Lines{"The data edit format \"GS1\" already exists. Please enter another name."}, user.m_rgErrors);
  EXPECT_EQ(2u, user.m_rgCaptions.size());
  EXPECT_EQ((Lines{"GS1", "Labels", "Default"}), form.lines());
  EXPECT_EQ(1, form.selection());
  ASSERT_NE(nullptr, m_map.lookup("Labels"));
  EXPECT_EQ(1, m_map.lookup("Labels")->getCriteriaMap().getCount()) << "the backup comes back, not the working copy";
  EXPECT_EQ(1, m_map.lookup("Labels")->getOrder());
  EXPECT_EQ("EAN128Field(01)", m_map.lookup("GS1")->getOutput());
}

TEST_F(DataEditFormatsFormTest, EditAndRemoveNeedASelection)
{
  DataEditFormatsForm form(m_map);
  ScriptedEditor user({});
  form.edit(user.editor(), user.reporter());
  form.remove();
  EXPECT_TRUE(user.m_rgCaptions.empty());
  EXPECT_EQ(3, m_map.getCount());
}

TEST_F(DataEditFormatsFormTest, RemoveKeepsTheSelectionOnItsLineOrTheNewLast)
{
  struct Row
  {
    int nSelection;
    Lines rgExpected;
    int nNewSelection;
  };
  const Row rgRows[] = {
      {0, {"Labels", "Default"}, 0},
      {1, {"GS1", "Default"}, 1},
      {2, {"GS1", "Labels"}, 1},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.nSelection);
    DataEditFormatMap map(m_map);
    DataEditFormatsForm form(map);
    form.select(row.nSelection);
    form.remove();
    EXPECT_EQ(row.rgExpected, form.lines());
    EXPECT_EQ(row.nNewSelection, form.selection());
    EXPECT_EQ(2, map.getCount());
  }
  DataEditFormatMap map;
  map.add("Only", makeFormat("Only", 0, ""));
  DataEditFormatsForm form(map);
  form.select(0);
  form.remove();
  EXPECT_TRUE(form.lines().empty());
  EXPECT_EQ(-1, form.selection());
}

TEST_F(DataEditFormatsFormTest, MovesShiftTheSelectedLineAndStopAtTheEnds)
{
  struct Row
  {
    const char* pszCase;
    int nSelection;
    bool fUp;
    Lines rgExpected;
    int nNewSelection;
  };
  const Row rgRows[] = {
      {"middle up", 1, true, {"Labels", "GS1", "Default"}, 0},
      {"middle down", 1, false, {"GS1", "Default", "Labels"}, 2},
      {"first up", 0, true, {"GS1", "Labels", "Default"}, 0},
      {"last down", 2, false, {"GS1", "Labels", "Default"}, 2},
      {"nothing selected", -1, true, {"GS1", "Labels", "Default"}, -1},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszCase);
    DataEditFormatsForm form(m_map);
    form.select(row.nSelection);
    if (row.fUp)
      form.moveUp();
    else
      form.moveDown();
    EXPECT_EQ(row.rgExpected, form.lines());
    EXPECT_EQ(row.nNewSelection, form.selection());
  }
}

TEST_F(DataEditFormatsFormTest, MoveButtonsAreUsableOnlyWhereTheyMove)
{
  DataEditFormatsForm form(m_map);
  const bool rgfExpected[3][2] = {{false, true}, {true, true}, {true, false}};
  for (int nLine = 0; nLine < 3; ++nLine)
  {
    SCOPED_TRACE(nLine);
    form.select(nLine);
    EXPECT_TRUE(form.canEdit());
    EXPECT_EQ(rgfExpected[nLine][0], form.canMoveUp());
    EXPECT_EQ(rgfExpected[nLine][1], form.canMoveDown());
  }
}

// Moving the first format down and pressing OK makes the second the one that wins.
TEST_F(DataEditFormatsFormTest, OkGivesEveryFormatItsLinePosition)
{
  DataEditFormatsForm form(m_map);
  form.select(0);
  form.moveDown();
  EXPECT_EQ((Lines{"GS1", "Labels", "Default"}), orderedNames()) << "orders change only on OK";
  form.commitOrder();
  EXPECT_EQ((Lines{"Labels", "GS1", "Default"}), orderedNames());
  EXPECT_TRUE(m_map.isOrderConsistent());
}

// Stored settings edited by hand may have gaps in the orders: every format still shows, in the
// user's order, and OK numbers them 0, 1, 2 again.
TEST(DataEditFormatsFormRepairTest, GapsInStoredOrdersAreShownAndMendedByOk)
{
  DataEditFormatMap map;
  map.add("C", makeFormat("C", 7, ""));
  map.add("A", makeFormat("A", 0, ""));
  map.add("B", makeFormat("B", 2, ""));
  DataEditFormatsForm form(map);
  EXPECT_EQ((Lines{"A", "B", "C"}), form.lines());
  form.commitOrder();
  EXPECT_TRUE(map.isOrderConsistent());
  EXPECT_EQ(2, map.lookup("C")->getOrder());
}
