#include "keyboard/CharTransList.h"

#include <gtest/gtest.h>

namespace
{
TEST(CharTransListTest, LinesOfDefaultEntries)
{
  std::vector<std::string> rgstrLines = CharTransList::buildLines(KeyTranslatorMap());
  ASSERT_EQ(256u, rgstrLines.size());
  struct Row
  {
    int nCode;
    const char* pszLine;
  } krgRows[] = {
      {0x00, "\t<NUL>\t0\t0x00\t0\t0x00\tNo\tNo\tNo\tNo\tNo\tNo\tNo"},
      {0x0D, "\t<CR>\t13\t0x0d\t13\t0x0d\tYes\tNo\tNo\tNo\tNo\tNo\tNo"},
      {0x41, "\tA\t65\t0x41\t65\t0x41\tYes\tYes\tYes\tYes\tYes\tYes\tYes"},
      {0x7F, "\t\x7F\t127\t0x7f\t46\t0x2e\tYes\tNo\tNo\tNo\tNo\tNo\tYes"},
      {0xC4, "\t\xC4\t196\t0xc4\t222\t0xde\tYes\tYes\tNo\tNo\tYes\tNo\tNo"},
  };
  for (const Row& row : krgRows)
  {
    SCOPED_TRACE(row.nCode);
    EXPECT_EQ(row.pszLine, rgstrLines[static_cast<size_t>(row.nCode)]);
  }
}

TEST(CharTransListTest, ChangedEntriesAreMarked)
{
  struct Row
  {
    const char* pszName;
    void (*pfnEdit)(KeyTranslator&);
  } krgRows[] = {
      {"key code", [](KeyTranslator& e) { e.setKeyCode(0x42); }},
      {"valid", [](KeyTranslator& e) { e.setValid(false); }},
      {"caps", [](KeyTranslator& e) { e.setCapsDependent(false); }},
      {"control", [](KeyTranslator& e) { e.setControl(false); }},
      {"alt", [](KeyTranslator& e) { e.setAlt(false); }},
      {"shift", [](KeyTranslator& e) { e.setShift(false); }},
      {"diacritic", [](KeyTranslator& e) { e.setDiacritic(false); }},
      {"extended", [](KeyTranslator& e) { e.setExtended(false); }},
  };
  for (const Row& row : krgRows)
  {
    SCOPED_TRACE(row.pszName);
    KeyTranslatorMap map;
    row.pfnEdit(map.entryOf('A'));
    std::vector<std::string> rgstrLines = CharTransList::buildLines(map);
    EXPECT_EQ('*', rgstrLines[0x41].front());
    EXPECT_EQ('\t', rgstrLines[0x42].front());
  }
}

TEST(CharTransListTest, EntrySetBackToTheDefaultIsNotMarked)
{
  KeyTranslatorMap map;
  map.entryOf('A').setShift(false);
  map.entryOf('A').setShift(true);
  EXPECT_EQ('\t', CharTransList::buildLines(map)[0x41].front());
}
}  // namespace
