// The rules of the dialogs the settings pages open: Select Data String Terminator, Lock Output
// Window, the Character Translation list and Edit Character Translation with its key tester.
#include "FakeControlValues.h"
#include "sheet/CharTransForm.h"
#include "sheet/EditCharTransForm.h"
#include "sheet/LockOutputWindowForm.h"
#include "app/ResourceIds.h"
#include "sheet/SelectTerminatorForm.h"
#include "keyboard/KeyTranslatorMap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(SelectTerminatorForm, OneRowForEveryByteFromOneTo255)
{
  std::vector<std::string> rgstrRows = SelectTerminatorForm::rows();
  ASSERT_EQ(255u, rgstrRows.size());
  struct Row
  {
    int nValue;
    const char* pszRow;
  };
  const Row rgRows[] = {
      {1, "<SOH>\t1\t0x01"}, {9, "<HT>\t9\t0x09"},   {13, "<CR>\t13\t0x0d"},  {31, "<US>\t31\t0x1f"},
      {32, " \t32\t0x20"},   {60, "<\t60\t0x3c"},    {65, "A\t65\t0x41"},      {92, "\\\t92\t0x5c"},
      {229, "\xE5\t229\t0xe5"}, {255, "\xFF\t255\t0xff"},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.nValue);
    EXPECT_EQ(row.pszRow, rgstrRows[static_cast<size_t>(row.nValue - 1)]);
  }
}

TEST(SelectTerminatorForm, SingleByteTerminatorSelectsItsRow)
{
  struct Row
  {
    const char* pszTerminator;
    int nRow;
  };
  const Row rgRows[] = {
      {"<cr>", 12},   {"<CR>", 12},  {"\\x0D", 12}, {"\\d013", 12}, {"A", 64},      {"\\<", 59},
      {"<CR><LF>", -1}, {"", -1},    {"<NUL>", -1}, {"<zz>", -1},   {"AB", -1},     {"\xFF", 254},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszTerminator);
    EXPECT_EQ(row.nRow, SelectTerminatorForm::rowOfTerminator(row.pszTerminator));
  }
}

TEST(SelectTerminatorForm, RowGivesTheNotationOfItsByte)
{
  struct Row
  {
    int nRow;
    const char* pszTerminator;
  };
  for (const Row& row : {Row{12, "<CR>"}, Row{0, "<SOH>"}, Row{64, "A"}, Row{59, "\\<"}, Row{91, "\\\\"},
                         Row{254, "\xFF"}})
  {
    SCOPED_TRACE(row.nRow);
    EXPECT_EQ(row.pszTerminator, SelectTerminatorForm::terminatorOfRow(row.nRow));
    EXPECT_EQ(row.nRow, SelectTerminatorForm::rowOfTerminator(SelectTerminatorForm::terminatorOfRow(row.nRow)));
  }
}

TEST(LockOutputWindowForm, ListIsSortedWithoutRegardToLetterCase)
{
  LockOutputWindowForm form({"notepad*", "Excel - *", "\xE4rende", "Access", "*Word"});
  EXPECT_EQ((std::vector<std::string>{"*Word", "Access", "Excel - *", "notepad*", "\xE4rende"}), form.entries());
}

TEST(LockOutputWindowForm, AddTakesNewTextsIntoTheirPlace)
{
  struct Row
  {
    const char* pszText;
    bool fAdded;
    int nIndex;
  };
  const Row rgRows[] = {
      {"notepad", false, -1},  // "Notepad" is there: the search ignores letter case
      {"NOTEPAD", false, -1},  {"", false, -1},          {"Doc?", true, 0},
      {"Untitled*", true, 2},  {"\xC4rende", false, -1}, {"*", true, 0},
  };
  LockOutputWindowForm form({"Notepad", "\xE4rende"});
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszText);
    int nIndex = -1;
    EXPECT_EQ(row.fAdded, form.add(row.pszText, nIndex));
    if (row.fAdded)
    {
      EXPECT_EQ(row.nIndex, nIndex);
      EXPECT_EQ(row.pszText, form.entries()[static_cast<size_t>(nIndex)]);
    }
  }
  EXPECT_EQ((std::vector<std::string>{"*", "Doc?", "Notepad", "Untitled*", "\xE4rende"}), form.entries());
}

TEST(LockOutputWindowForm, RemoveSelectsTheEntryNowAtTheSamePlaceOrTheLast)
{
  LockOutputWindowForm form({"a", "b", "c"});
  EXPECT_EQ(-1, form.remove(-1)) << "nothing selected: nothing removed";
  EXPECT_EQ(3u, form.entries().size());
  EXPECT_EQ(1, form.remove(1));
  EXPECT_EQ((std::vector<std::string>{"a", "c"}), form.entries());
  EXPECT_EQ(0, form.remove(1)) << "the last removed: the new last is selected";
  EXPECT_EQ(-1, form.remove(0)) << "the list is empty";
  EXPECT_TRUE(form.entries().empty());
}

TEST(LockOutputWindowForm, OkWithTextInTheFieldAddsItAndStaysOpen)
{
  LockOutputWindowForm form({"b"});
  int nIndex = -1;
  EXPECT_FALSE(form.okCloses("a", nIndex));
  EXPECT_EQ(0, nIndex);
  EXPECT_FALSE(form.okCloses("B", nIndex)) << "text that is already listed still keeps the dialog open";
  EXPECT_EQ(-1, nIndex);
  EXPECT_TRUE(form.okCloses("", nIndex));
  EXPECT_EQ((std::vector<std::string>{"a", "b"}), form.entries());
}

TEST(CharTransForm, ListShowsEveryCodeWithItsChangeMarker)
{
  KeyTranslatorMap map;
  map.entryOf('A').setShift(true);
  std::vector<std::string> rgstrLines = CharTransForm::lines(map);
  ASSERT_EQ(256u, rgstrLines.size());
  EXPECT_EQ("\tA\t65\t0x41\t65\t0x41\tYes\tYes\tYes\tYes\tYes\tYes\tYes", rgstrLines[65])
      << "Shift was already set: no change, no marker";
  map.entryOf('A').setShift(false);
  EXPECT_EQ("*\tA\t65\t0x41\t65\t0x41\tYes\tNo\tYes\tYes\tYes\tYes\tYes", CharTransForm::lines(map)[65]);
  EXPECT_EQ("\t<CR>\t13\t0x0d\t13\t0x0d\tYes\tNo\tNo\tNo\tNo\tNo\tNo", rgstrLines[13]);
  EXPECT_STREQ("Are you sure you want to revert to the default character translation table? (All customizations will "
               "be lost.)",
               CharTransForm::kszDefaultQuestion);
}

TEST(CharTransForm, TabStopsFollowTheHeadingsInDialogUnits)
{
  // 150 pixels per 100 units: a heading 30 pixels right of the list's text starts 20 units in.
  EXPECT_EQ((std::vector<int>{20, 40, 61}), CharTransForm::tabStops({35, 65, 96}, 5, 150));
  EXPECT_EQ((std::vector<int>{1, 2, 3}), CharTransForm::tabStops({0, 0, 0}, 5, 150)) << "stops never coincide";
}

TEST(EditCharTransForm, FieldsShowTheTranslator)
{
  struct Row
  {
    KeyTranslator translator;
    const char* pszCharacter;
    const char* pszAscii;
    const char* pszKeyCode;
    const char* pszHex;
  };
  const Row rgRows[] = {
      {KeyTranslator(13, 13, true, false, false, false, false, false, false), "<CR>", "13 0x0d", "13", "0x0d"},
      {KeyTranslator(65, 65, true, true, true, true, true, true, true), "A", "65 0x41", "65", "0x41"},
      {KeyTranslator(0xE5, 0xDD, true, true, false, false, false, false, false), "\xE5", "229 0xe5", "221", "0xdd"},
      {KeyTranslator(0, 0, false, false, false, false, false, false, false), "<NUL>", "0 0x00", "0", "0x00"},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszAscii);
    FakeControlValues controls;
    EditCharTransForm::load(row.translator, controls);
    EXPECT_EQ(row.pszCharacter, controls.getText(IDC_EDITCHAR_CHARACTER));
    EXPECT_EQ(row.pszAscii, controls.getText(IDC_EDITCHAR_ASCII));
    EXPECT_EQ(row.pszKeyCode, controls.getText(IDC_EDITCHAR_KEYCODE));
    EXPECT_EQ(row.pszHex, controls.getText(IDC_EDITCHAR_KEYCODE_HEX));
    EXPECT_EQ(row.translator.getValid(), controls.isChecked(IDC_EDITCHAR_ACTIVE));
    EXPECT_EQ(row.translator.getShift(), controls.isChecked(IDC_EDITCHAR_SHIFT));
    EXPECT_EQ(row.translator.getControl(), controls.isChecked(IDC_EDITCHAR_CONTROL));
    EXPECT_EQ(row.translator.getAlt(), controls.isChecked(IDC_EDITCHAR_ALT));
    EXPECT_EQ(row.translator.getDiacritic(), controls.isChecked(IDC_EDITCHAR_DIACRITIC));
    EXPECT_EQ(row.translator.getCapsDependent(), controls.isChecked(IDC_EDITCHAR_CAPS));
    EXPECT_EQ(row.translator.getExtended(), controls.isChecked(IDC_EDITCHAR_EXTENDED));
  }
}

TEST(EditCharTransForm, HexDisplayFollowsTheKeyCodeField)
{
  struct Row
  {
    const char* pszText;
    const char* pszHex;
  };
  for (const Row& row : {Row{"65", "0x41"}, Row{"255", "0xff"}, Row{"300", "0x12c"}, Row{"", "0x00"},
                         Row{"abc", "0x00"}, Row{"7x", "0x07"}, Row{" 10", "0x0a"}})
  {
    SCOPED_TRACE(row.pszText);
    EXPECT_EQ(row.pszHex, EditCharTransForm::hexOfKeyCode(row.pszText));
  }
}

TEST(EditCharTransForm, KeyTesterTextGivesTheVirtualKeyCode)
{
  struct Row
  {
    int nVirtualKey;
    const char* pszTester;
    const char* pszKeyCode;
  };
  for (const Row& row : {Row{0x41, "dec 65 hex 0x41", "65"}, Row{0x0D, "dec 13 hex 0x0d", "13"},
                         Row{0xDE, "dec 222 hex 0xde", "222"}, Row{0x08, "dec 8 hex 0x08", "8"}})
  {
    SCOPED_TRACE(row.pszTester);
    std::string strTester = EditCharTransForm::testerText(row.nVirtualKey);
    EXPECT_EQ(row.pszTester, strTester);
    EXPECT_EQ(row.pszKeyCode, EditCharTransForm::keyCodeOfTesterText(strTester));
  }
  EXPECT_EQ("0", EditCharTransForm::keyCodeOfTesterText(""));
  EXPECT_EQ("0", EditCharTransForm::keyCodeOfTesterText("dec"));
}

TEST(EditCharTransForm, OkStoresOnlyKeyCodesFromZeroTo255)
{
  struct Row
  {
    const char* pszKeyCode;
    bool fStored;
    int nKeyCode;
  };
  const Row rgRows[] = {
      {"0", true, 0},    {"65", true, 65},  {"255", true, 255}, {"300", false, 0}, {"256", false, 0},
      {"-1", false, 0},  {"", false, 0},    {"abc", false, 0},  {"6a", false, 0},  {" 65", false, 0},
  };
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.pszKeyCode);
    KeyTranslator translator(66, 66, true, false, false, false, false, false, false);
    FakeControlValues controls;
    EditCharTransForm::load(translator, controls);
    controls.setText(IDC_EDITCHAR_KEYCODE, row.pszKeyCode);
    controls.setChecked(IDC_EDITCHAR_SHIFT, true);
    EditCharTransForm::Outcome outcome = EditCharTransForm::store(controls, translator);
    EXPECT_EQ(row.fStored, outcome.fStored);
    if (row.fStored)
    {
      EXPECT_EQ(row.nKeyCode, translator.getKeyCode());
      EXPECT_TRUE(translator.getShift());
    }
    else
    {
      EXPECT_EQ("Invalid value for key code. Valid values are 0 to 255 inclusive.", outcome.strMessage);
      EXPECT_EQ(IDC_EDITCHAR_KEYCODE, outcome.nFocusId);
      EXPECT_EQ(66, translator.getKeyCode()) << "a refused OK stores nothing";
      EXPECT_FALSE(translator.getShift());
    }
  }
}

TEST(EditCharTransForm, EveryBoxReachesItsOwnFlagAndAllSevenMakeAUnicodeEntry)
{
  struct Row
  {
    int nId;
    bool (KeyTranslator::*pfnGet)() const;
  };
  const Row rgRows[] = {
      {IDC_EDITCHAR_ACTIVE, &KeyTranslator::getValid},       {IDC_EDITCHAR_SHIFT, &KeyTranslator::getShift},
      {IDC_EDITCHAR_CONTROL, &KeyTranslator::getControl},    {IDC_EDITCHAR_ALT, &KeyTranslator::getAlt},
      {IDC_EDITCHAR_DIACRITIC, &KeyTranslator::getDiacritic}, {IDC_EDITCHAR_CAPS, &KeyTranslator::getCapsDependent},
      {IDC_EDITCHAR_EXTENDED, &KeyTranslator::getExtended},
  };
  FakeControlValues allTicked;
  EditCharTransForm::load(KeyTranslator(0xE9, 0xE9, false, false, false, false, false, false, false), allTicked);
  for (const Row& row : rgRows)
  {
    SCOPED_TRACE(row.nId);
    KeyTranslator translator(0xE9, 0xE9, false, false, false, false, false, false, false);
    FakeControlValues controls;
    EditCharTransForm::load(translator, controls);
    controls.setChecked(row.nId, true);
    ASSERT_TRUE(EditCharTransForm::store(controls, translator).fStored);
    for (const Row& other : rgRows)
      EXPECT_EQ(other.nId == row.nId, (translator.*other.pfnGet)()) << other.nId;
    allTicked.setChecked(row.nId, true);
  }
  KeyTranslator unicode(0xE9, 0xE9, false, false, false, false, false, false, false);
  ASSERT_TRUE(EditCharTransForm::store(allTicked, unicode).fStored);
  EXPECT_TRUE(unicode.isUnicodeEntry());
}
