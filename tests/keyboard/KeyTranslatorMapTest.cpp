#include "keyboard/KeyTables.h"
#include "keyboard/KeyTranslatorMap.h"

#include <gtest/gtest.h>

namespace
{
struct DefaultRow
{
  int nCode;
  int nKeyCode;
  unsigned char byFlags;  // bit 0 Valid, 1 CapsDependent, 2 Control, 3 Alt, 4 Shift, 5 Diacritic, 6 Extended
};

// One row from every run of the default table, its first and last code where the run is longer.
const DefaultRow krgDefaultRows[] = {
    {0x00, 0x00, 0x00}, {0x01, 0x01, 0x01}, {0x04, 0x04, 0x01}, {0x05, 0x00, 0x00}, {0x08, 0x08, 0x01},
    {0x09, 0x09, 0x01}, {0x0A, 0x00, 0x00}, {0x0C, 0x0C, 0x01}, {0x0D, 0x0D, 0x01}, {0x10, 0x10, 0x00},
    {0x14, 0x14, 0x00}, {0x1B, 0x1B, 0x01}, {0x1D, 0x36, 0x11}, {0x1F, 0x00, 0x00}, {0x20, 0x20, 0x7F},
    {0x41, 0x41, 0x7F}, {0x7E, 0x7E, 0x7F}, {0x7F, 0x2E, 0x41}, {0x80, 0x21, 0x41}, {0x87, 0x28, 0x41},
    {0x88, 0x29, 0x01}, {0x8A, 0x2B, 0x01}, {0x8B, 0x2C, 0x41}, {0x8D, 0x2E, 0x41}, {0x8E, 0x2F, 0x01},
    {0x8F, 0x5B, 0x41}, {0x91, 0x5D, 0x41}, {0x92, 0x60, 0x41}, {0x96, 0x64, 0x41}, {0x97, 0x65, 0x01},
    {0x98, 0x66, 0x41}, {0x9B, 0x69, 0x41}, {0x9C, 0x6A, 0x01}, {0x9F, 0x6D, 0x01}, {0xA0, 0x6E, 0x41},
    {0xA1, 0x6F, 0x41}, {0xA2, 0x70, 0x01}, {0xB9, 0x87, 0x01}, {0xBA, 0x90, 0x01}, {0xBB, 0x91, 0x01},
    {0xBC, 0x0D, 0x41}, {0xBD, 0x00, 0x00}, {0xC4, 0xDE, 0x13}, {0xC5, 0xDD, 0x13}, {0xD6, 0xC0, 0x13},
    {0xE4, 0xDE, 0x03}, {0xE5, 0xDD, 0x03}, {0xF6, 0xC0, 0x03}, {0xFF, 0x00, 0x00},
};

TEST(KeyTranslatorMapTest, FreshMapHoldsTheDefaultRecipes)
{
  KeyTranslatorMap map;
  EXPECT_EQ(256, map.getCount());
  for (const DefaultRow& row : krgDefaultRows)
  {
    SCOPED_TRACE(row.nCode);
    const KeyTranslator* pEntry = map.lookup(std::to_string(row.nCode));
    ASSERT_NE(nullptr, pEntry);
    EXPECT_EQ(row.nCode, pEntry->getASCII());
    EXPECT_EQ(row.nKeyCode, pEntry->getKeyCode());
    EXPECT_EQ(row.byFlags, pEntry->getFlagBits());
  }
}

TEST(KeyTranslatorMapTest, EveryEntryIsKeyedByItsCodeInDecimal)
{
  KeyTranslatorMap map;
  for (int i = 0; i < 256; ++i)
  {
    const KeyTranslator* pEntry = map.lookup(std::to_string(i));
    ASSERT_NE(nullptr, pEntry) << i;
    EXPECT_EQ(i, pEntry->getASCII());
  }
  EXPECT_EQ(nullptr, map.lookup("065"));
  EXPECT_EQ(nullptr, map.lookup("256"));
  EXPECT_EQ(nullptr, map.lookup("-1"));
}

TEST(KeyTranslatorMapTest, HighBytesAreNeverSignExtended)
{
  KeyTranslatorMap map;
  EXPECT_EQ("200", KeyTranslatorMap::keyOf(static_cast<unsigned char>(static_cast<char>(-56))));
  EXPECT_EQ(0xC4, map.entryOf(static_cast<unsigned char>('\xC4')).getASCII());
}

TEST(KeyTranslatorMapTest, AddRefusesAPresentKey)
{
  KeyTranslatorMap map;
  KeyTranslator extra(65, 1, true, false, false, false, false, false, false);
  EXPECT_FALSE(map.add("65", std::make_unique<KeyTranslator>(extra)));
  EXPECT_EQ(0x41, map.entryOf('A').getKeyCode());
  EXPECT_TRUE(map.removeKey("65"));
  EXPECT_FALSE(map.removeKey("65"));
  EXPECT_EQ(255, map.getCount());
  EXPECT_TRUE(map.add("65", std::make_unique<KeyTranslator>(extra)));
  EXPECT_EQ(1, map.entryOf('A').getKeyCode());
}

TEST(KeyTranslatorMapTest, CopiesAreDeepAndIndependent)
{
  KeyTranslatorMap original;
  KeyTranslatorMap copy(original);
  copy.entryOf('A').setKeyCode(0x99);
  EXPECT_EQ(0x41, original.entryOf('A').getKeyCode());
  original.entryOf('B').setShift(false);
  EXPECT_TRUE(copy.entryOf('B').getShift());

  KeyTranslatorMap assigned;
  assigned.removeAll();
  assigned = copy;
  EXPECT_EQ(256, assigned.getCount());
  EXPECT_EQ(0x99, assigned.entryOf('A').getKeyCode());
  copy.entryOf('A').setKeyCode(0x42);
  EXPECT_EQ(0x99, assigned.entryOf('A').getKeyCode());
  assigned = assigned;
  EXPECT_EQ(256, assigned.getCount());
}

TEST(KeyTranslatorMapTest, SetDefaultRestoresEveryEntry)
{
  KeyTranslatorMap map;
  map.entryOf('A').setValid(false);
  map.removeKey("200");
  EXPECT_TRUE(map.setDefault());
  KeyTranslatorMap fresh;
  EXPECT_EQ(256, map.getCount());
  for (int i = 0; i < 256; ++i)
    EXPECT_EQ(fresh.entryOf(static_cast<unsigned char>(i)), map.entryOf(static_cast<unsigned char>(i))) << i;
}

TEST(KeyTranslatorMapTest, StoredFormHoldsKeyCodeScanCodeAndFlagsPerCode)
{
  KeyTranslatorMap map;
  std::string strStored = map.toStoredForm();
  ASSERT_EQ(768u, strStored.size());
  struct Row
  {
    int nCode;
    unsigned char rgby[3];
  } krgRows[] = {
      {0x41, {0x41, 0x1E, 0x7F}},  // sent as Unicode, yet the scan code of key 0x41 is stored
      {0x00, {0x00, 0x00, 0x00}},
      {0x0D, {0x0D, 0x1C, 0x01}},
      {0x7F, {0x2E, 0x53, 0x41}},
      {0xC4, {0xDE, 0x28, 0x13}},
      {0xFF, {0x00, 0x00, 0x00}},
  };
  for (const Row& row : krgRows)
  {
    SCOPED_TRACE(row.nCode);
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(row.rgby[i], static_cast<unsigned char>(strStored[row.nCode * 3 + i])) << "byte " << i;
  }
}

TEST(KeyTranslatorMapTest, StoredFormRoundTripsEditedEntries)
{
  KeyTranslatorMap map;
  map.entryOf('A').setKeyCode(0xBA);
  map.entryOf('A').setFlagBits(0x31);  // Valid, Shift, Diacritic
  map.entryOf(0).setValid(true);
  std::string strStored = map.toStoredForm();

  KeyTranslatorMap loaded;
  std::string strError;
  ASSERT_TRUE(loaded.fromStoredForm(reinterpret_cast<const unsigned char*>(strStored.data()), strError));
  EXPECT_EQ(256, loaded.getCount());
  for (int i = 0; i < 256; ++i)
    EXPECT_EQ(map.entryOf(static_cast<unsigned char>(i)), loaded.entryOf(static_cast<unsigned char>(i))) << i;
}

TEST(KeyTranslatorMapTest, LoadIgnoresTheStoredScanCodeAndFlagBit7)
{
  std::string strStored = KeyTranslatorMap().toStoredForm();
  strStored[0x41 * 3 + 1] = '\x55';
  strStored[0x41 * 3 + 2] = '\xFF';
  strStored[0x0D * 3 + 2] = '\x81';
  KeyTranslatorMap loaded;
  std::string strError;
  ASSERT_TRUE(loaded.fromStoredForm(reinterpret_cast<const unsigned char*>(strStored.data()), strError));
  EXPECT_EQ(0x7F, loaded.entryOf('A').getFlagBits());
  EXPECT_EQ(0x1E, loaded.entryOf('A').getScanCode());
  EXPECT_EQ(0x01, loaded.entryOf('\r').getFlagBits());
}

TEST(KeyTablesTest, ScanCodesOfListedAndUnlistedKeys)
{
  struct Row
  {
    int nVirtualKey;
    int nScanCode;
  } krgRows[] = {{0x08, 0x0E}, {0x0D, 0x1C}, {0x10, 0x2A}, {0x2E, 0x53}, {0x41, 0x1E}, {0x5A, 0x2C},
                 {0x6F, 0x35}, {0x7B, 0x58}, {0xBA, 0x1B}, {0xDE, 0x28}, {0xE2, 0x56}, {0x00, 0x00},
                 {0x6C, 0x00}, {0x7C, 0x00}, {0xFF, 0x00}, {-1, 0x00},  {256, 0x00}};
  for (const Row& row : krgRows)
    EXPECT_EQ(row.nScanCode, KeyTables::scanCode(row.nVirtualKey)) << std::hex << row.nVirtualKey;
}

TEST(KeyTablesTest, KeyNamesFromBothTables)
{
  struct Row
  {
    int nScanCode;
    bool fExtended;
    const char* pszName;
  } krgRows[] = {
      {0x01, false, "Esc"},       {0x01, true, "."},           {0x0B, false, "0"},
      {0x0D, true, "="},          {0x0E, false, "Backspace"},  {0x0E, true, "."},
      {0x1C, false, "Enter"},     {0x1C, true, "NumEnter"},    {0x1D, false, "Ctrl"},
      {0x1D, true, "RightControl"}, {0x1B, false, "]"},        {0x28, false, "'"},
      {0x29, true, "`"},          {0x2A, false, "Shift"},      {0x2A, true, "(Unknown)"},
      {0x2B, false, "\\"},        {0x34, true, "."},           {0x35, false, "/"},
      {0x35, true, "Num/"},       {0x38, false, "Alt"},        {0x39, true, " "},
      {0x44, false, "F10"},       {0x45, true, "NumLock"},     {0x4C, true, "(Unknown)"},
      {0x53, false, "NumDel"},    {0x53, true, "Delete"},      {0x54, false, "SysReq"},
      {0x54, true, "<00>"},       {0x55, false, "(Unknown)"},  {0x56, false, "\\"},
      {0x56, true, "Help"},       {0x58, false, "F12"},        {0x5D, true, "Application"},
      {0x7C, false, "F13"},       {0x87, false, "F24"},        {0x88, false, "(Unknown)"},
      {0xFF, true, "(Unknown)"},  {256, false, ""},            {-1, true, ""},
  };
  for (const Row& row : krgRows)
  {
    SCOPED_TRACE(std::to_string(row.nScanCode) + (row.fExtended ? " extended" : " plain"));
    EXPECT_EQ(row.pszName, KeyTables::keyName(row.nScanCode, row.fExtended));
  }
}
}  // namespace
