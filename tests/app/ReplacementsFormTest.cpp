#include "dataedit/ReplacementsForm.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace
{
using Lines = std::vector<std::string>;

std::unique_ptr<Replacement> makeReplacement(const std::string& strInput, const std::string& strReplace, int nOrder)
{
  auto pReplacement = std::make_unique<Replacement>();
  pReplacement->setInput(strInput);
  pReplacement->setReplace(strReplace);
  pReplacement->setOrder(nOrder);
  return pReplacement;
}

// Plays the user at the replacement dialog: each opening types the scripted texts and ends with
// OK or Cancel.
class ScriptedDialog
{
public:
  struct Answer
  {
    std::string strSearch;
    std::string strReplace;
    bool fOk;
  };

  explicit ScriptedDialog(std::deque<Answer> rgAnswers) : m_rgAnswers(std::move(rgAnswers)) {}

  ReplacementsForm::ReplacementEditor editor()
  {
    return [this](Replacement& replacement, const std::string& strCaption) {
      m_rgCaptions.push_back(strCaption);
      m_rgKeysSeen.push_back(replacement.getKey());
      EXPECT_FALSE(m_rgAnswers.empty()) << "the dialog was opened more often than expected";
      if (m_rgAnswers.empty())
        return false;
      Answer answer = m_rgAnswers.front();
      m_rgAnswers.pop_front();
      replacement.setInput(answer.strSearch);
      replacement.setReplace(answer.strReplace);
      return answer.fOk;
    };
  }
  ReplacementsForm::ErrorReporter reporter()
  {
    return [this](const std::string& strMessage) { m_rgErrors.push_back(strMessage); };
  }

  std::deque<Answer> m_rgAnswers;
  Lines m_rgCaptions;
  Lines m_rgKeysSeen;
  Lines m_rgErrors;
};

class ReplacementsFormTest : public ::testing::Test
{
protected:
  ReplacementsFormTest()
  {
    m_map.add(makeReplacement("bb", "x", 1));
    m_map.add(makeReplacement("ab", "b", 0));
    m_map.add(makeReplacement("<CR>", "", 2));
  }

  Lines keysByOrder() const
  {
    Lines rgKeys;
    for (int nOrder = 0; nOrder < m_map.getCount(); ++nOrder)
    {
      const Replacement* pReplacement = m_map.lookupByOrder(nOrder);
      rgKeys.push_back(pReplacement != nullptr ? pReplacement->getKey() : "<none>");
    }
    return rgKeys;
  }

  ReplacementMap m_map;
};
}  // namespace

TEST_F(ReplacementsFormTest, ListsSearchAndReplaceTabSeparatedInTheOrderTheyRun)
{
  ReplacementsForm form(m_map);
  EXPECT_EQ((Lines{"ab\tb", "bb\tx", "<CR>\t"}), form.lines());
  EXPECT_EQ(-1, form.selection());
}

TEST_F(ReplacementsFormTest, AddedReplacementGoesBeforeTheSelectionOrAtTheEnd)
{
  struct Row
  {
    int nSelection;
    Lines rgExpected;
    int nNewSelection;
  };
  const Row rgRows[] = {
      {-1, {"ab\tb", "bb\tx", "<CR>\t", "-\t"}, 3},
      {1, {"ab\tb", "-\t", "bb\tx", "<CR>\t"}, 1},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.nSelection);
    ReplacementMap map(m_map);
    ReplacementsForm form(map);
    form.select(row.nSelection);
    ScriptedDialog user({{"-", "", true}});
    form.add(user.editor(), user.reporter());
    EXPECT_EQ(Lines{"Add Input Data Replacement"}, user.m_rgCaptions);
    EXPECT_EQ(Lines{"\t"}, user.m_rgKeysSeen) << "Add opens the dialog on an empty replacement";
    EXPECT_EQ(row.rgExpected, form.lines());
    EXPECT_EQ(row.nNewSelection, form.selection());
    form.commitOrder();
    EXPECT_TRUE(map.isOrderConsistent());
    for (int nLine = 0; nLine < 4; ++nLine)
      EXPECT_EQ(nLine, map.lookup(row.rgExpected[nLine])->getOrder());
  }
}

TEST_F(ReplacementsFormTest, AddingAnExistingPairSaysSoAndAddsNothing)
{
  ReplacementsForm form(m_map);
  ScriptedDialog user({{"bb", "x", true}});
  form.add(user.editor(), user.reporter());
  EXPECT_EQ(Lines{"The input data replacement \"bb\tx\" already exist."}, user.m_rgErrors);
  EXPECT_EQ(3u, form.lines().size());
  EXPECT_EQ(3, m_map.getCount());
}

TEST_F(ReplacementsFormTest, AddCancelledAddsNothing)
{
  ReplacementsForm form(m_map);
  ScriptedDialog user({{"new", "x", false}});
  form.add(user.editor(), user.reporter());
  EXPECT_EQ(3, m_map.getCount());
  EXPECT_TRUE(user.m_rgErrors.empty());
}

TEST_F(ReplacementsFormTest, EditReplacesTheEntryOnItsLine)
{
  ReplacementsForm form(m_map);
  form.select(1);
  ScriptedDialog user({{"bb", "yy", true}});
  form.edit(user.editor(), user.reporter());
  EXPECT_EQ(Lines{"Edit Input Data Replacement"}, user.m_rgCaptions);
  EXPECT_EQ(Lines{"bb\tx"}, user.m_rgKeysSeen) << "Edit opens the dialog on the selected replacement";
  EXPECT_EQ((Lines{"ab\tb", "bb\tyy", "<CR>\t"}), form.lines());
  EXPECT_EQ(1, form.selection());
  EXPECT_EQ(nullptr, m_map.lookup("bb\tx"));
  ASSERT_NE(nullptr, m_map.lookup("bb\tyy"));
  EXPECT_EQ(3, m_map.getCount());
}

TEST_F(ReplacementsFormTest, EditLeftUnchangedIsNoClash)
{
  ReplacementsForm form(m_map);
  form.select(0);
  ScriptedDialog user({{"ab", "b", true}});
  form.edit(user.editor(), user.reporter());
  EXPECT_TRUE(user.m_rgErrors.empty());
  EXPECT_EQ((Lines{"ab\tb", "bb\tx", "<CR>\t"}), form.lines());
}

// Editing a replacement into another's texts is refused with the message, and the user's entry
// stays as it was instead of being lost.
TEST_F(ReplacementsFormTest, EditIntoAnExistingPairKeepsTheOriginal)
{
  ReplacementsForm form(m_map);
  form.select(0);
  ScriptedDialog user({{"bb", "x", true}});
  form.edit(user.editor(), user.reporter());
  EXPECT_EQ(Lines{"The input data replacement \"bb\tx\" already exist."}, user.m_rgErrors);
  EXPECT_EQ((Lines{"ab\tb", "bb\tx", "<CR>\t"}), form.lines());
  EXPECT_NE(nullptr, m_map.lookup("ab\tb")) << "the edited replacement must survive a refused edit";
  EXPECT_EQ(3, m_map.getCount());
}

TEST_F(ReplacementsFormTest, EditCancelledChangesNothing)
{
  ReplacementsForm form(m_map);
  form.select(2);
  ScriptedDialog user({{"zz", "q", false}});
  form.edit(user.editor(), user.reporter());
  EXPECT_EQ((Lines{"ab\tb", "bb\tx", "<CR>\t"}), form.lines());
  EXPECT_NE(nullptr, m_map.lookup("<CR>\t"));
}

TEST_F(ReplacementsFormTest, RemoveKeepsTheSelectionOnItsLineOrTheNewLast)
{
  struct Row
  {
    int nSelection;
    Lines rgExpected;
    int nNewSelection;
  };
  const Row rgRows[] = {
      {0, {"bb\tx", "<CR>\t"}, 0},
      {2, {"ab\tb", "bb\tx"}, 1},
      {-1, {"ab\tb", "bb\tx", "<CR>\t"}, -1},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.nSelection);
    ReplacementMap map(m_map);
    ReplacementsForm form(map);
    form.select(row.nSelection);
    form.remove();
    EXPECT_EQ(row.rgExpected, form.lines());
    EXPECT_EQ(row.nNewSelection, form.selection());
    EXPECT_EQ(static_cast<int>(row.rgExpected.size()), map.getCount());
  }
}

TEST_F(ReplacementsFormTest, MovingALineUpAndOkSwapsTheOrders)
{
  ReplacementsForm form(m_map);
  form.select(1);
  EXPECT_TRUE(form.canMoveUp());
  EXPECT_TRUE(form.canMoveDown());
  form.moveUp();
  EXPECT_EQ(0, form.selection());
  EXPECT_FALSE(form.canMoveUp());
  form.moveUp();  // already first: nothing
  EXPECT_EQ((Lines{"bb\tx", "ab\tb", "<CR>\t"}), form.lines());
  EXPECT_EQ((Lines{"ab\tb", "bb\tx", "<CR>\t"}), keysByOrder()) << "orders change only on OK";
  form.commitOrder();
  EXPECT_EQ((Lines{"bb\tx", "ab\tb", "<CR>\t"}), keysByOrder());
  EXPECT_EQ(0, m_map.lookup("bb\tx")->getOrder());
  EXPECT_EQ(1, m_map.lookup("ab\tb")->getOrder());

  // The run order follows the list: bb to x first leaves aax, where ab no longer occurs.
  std::string strData = "aabb";
  EXPECT_EQ(1, m_map.applyReplacements(strData));
  EXPECT_EQ("aax", strData);
}

TEST_F(ReplacementsFormTest, LastLineDoesNotMoveDown)
{
  ReplacementsForm form(m_map);
  form.select(2);
  EXPECT_FALSE(form.canMoveDown());
  form.moveDown();
  EXPECT_EQ(2, form.selection());
  EXPECT_EQ((Lines{"ab\tb", "bb\tx", "<CR>\t"}), form.lines());
}
