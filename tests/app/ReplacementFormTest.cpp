#include "dataedit/ReplacementForm.h"
#include "app/ResourceIds.h"
#include "engine/Replacement.h"

#include <gtest/gtest.h>

namespace
{
const char kszSearchError[] =
    "There is an error in the Search for string.\nExamples of valid expressions:\n\n"
    "\\xHH - Character in hex notation\n\\dDDD - Character in decimal notation\n"
    "<ETX> - Human readable control symbol\n\\< - The < character";
const char kszReplaceError[] =
    "There is an error in the Replace string.\nExamples of valid expressions:\n\n"
    "\\xHH - Character in hex notation\n\\dDDD - Character in decimal notation\n"
    "<ETX> - Human readable control symbol\n\\< - The < character";
}  // namespace

TEST(ReplacementFormTest, OkChecksInOrderWithTheMultiLineMessages)
{
  struct Row
  {
    const char* pszSearch;
    const char* pszReplace;
    const char* pszMessage;
    int nFocusId;
  };
  const Row rgRows[] = {
      {"<CR><LF>", "", "", 0},
      {"]C1", "", "", 0},
      {"\\<", "\\x3E", "", 0},
      {"", "x", "The Search for string can't be empty.", IDC_REPLACEMENT_SEARCH},
      {"", "ab<c", "The Search for string can't be empty.", IDC_REPLACEMENT_SEARCH},
      {"ab<c", "", kszSearchError, IDC_REPLACEMENT_SEARCH},
      {"\\x4", "ab<c", kszSearchError, IDC_REPLACEMENT_SEARCH},
      {"<CR>", "ab<c", kszReplaceError, IDC_REPLACEMENT_REPLACE},
      {"<CR>", "\\", kszReplaceError, IDC_REPLACEMENT_REPLACE},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszSearch);
    DataEditingMessage message = ReplacementForm::check(row.pszSearch, row.pszReplace);
    EXPECT_EQ(row.pszMessage, message.strText);
    EXPECT_EQ(row.nFocusId, message.nFocusId);
    if (!message.isEmpty())
    {
      EXPECT_EQ(DataEditingMessage::Icon::Stop, message.icon);
    }
  }
}

TEST(ReplacementFormTest, OkStoresBothTextsAsTyped)
{
  Replacement replacement;
  replacement.setOrder(4);
  ReplacementForm::apply("<cr><lf>", "\\x20", replacement);
  EXPECT_EQ("<cr><lf>", replacement.getInput());
  EXPECT_EQ("\\x20", replacement.getReplace());
  EXPECT_EQ(4, replacement.getOrder());
}
