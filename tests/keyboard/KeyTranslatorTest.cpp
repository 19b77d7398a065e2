#include "keyboard/KeyTranslator.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace
{
TEST(KeyTranslatorTest, DefaultConstructedIsAllZero)
{
  KeyTranslator entry;
  EXPECT_EQ(0, entry.getASCII());
  EXPECT_EQ(0, entry.getKeyCode());
  EXPECT_EQ(0, entry.getFlagBits());
}

TEST(KeyTranslatorTest, CodeSettersRefuseValuesOutsideAByte)
{
  KeyTranslator entry;
  for (int n : {-1, 256, 1000})
  {
    SCOPED_TRACE(n);
    EXPECT_FALSE(entry.setASCII(n));
    EXPECT_FALSE(entry.setKeyCode(n));
  }
  EXPECT_EQ(0, entry.getASCII());
  EXPECT_TRUE(entry.setASCII(255));
  EXPECT_TRUE(entry.setKeyCode(0));
  EXPECT_EQ(255, entry.getASCII());
}

TEST(KeyTranslatorTest, ConstructorTakesFieldsInDeclaredOrder)
{
  KeyTranslator entry(0xC4, 0xDE, true, true, false, false, true, false, false);
  EXPECT_EQ(0xC4, entry.getASCII());
  EXPECT_EQ(0xDE, entry.getKeyCode());
  EXPECT_TRUE(entry.getValid());
  EXPECT_TRUE(entry.getCapsDependent());
  EXPECT_FALSE(entry.getControl());
  EXPECT_FALSE(entry.getAlt());
  EXPECT_TRUE(entry.getShift());
  EXPECT_FALSE(entry.getDiacritic());
  EXPECT_FALSE(entry.getExtended());
  EXPECT_EQ(0x28, entry.getScanCode());
  EXPECT_FALSE(entry.isUnicodeEntry());
}

TEST(KeyTranslatorTest, FlagBitsFollowTheStoredLayout)
{
  struct Row
  {
    unsigned char byFlags;
    bool (KeyTranslator::*pfnGet)() const;
  } krgRows[] = {
      {0x01, &KeyTranslator::getValid}, {0x02, &KeyTranslator::getCapsDependent},
      {0x04, &KeyTranslator::getControl}, {0x08, &KeyTranslator::getAlt},
      {0x10, &KeyTranslator::getShift}, {0x20, &KeyTranslator::getDiacritic},
      {0x40, &KeyTranslator::getExtended},
  };
  for (const Row& row : krgRows)
  {
    SCOPED_TRACE(static_cast<int>(row.byFlags));
    KeyTranslator entry;
    entry.setFlagBits(row.byFlags);
    EXPECT_TRUE((entry.*row.pfnGet)());
    EXPECT_EQ(row.byFlags, entry.getFlagBits());
    entry.setFlagBits(static_cast<unsigned char>(0x7F & ~row.byFlags));
    EXPECT_FALSE((entry.*row.pfnGet)());
  }
}

TEST(KeyTranslatorTest, UnicodeEntryNeedsAllSevenFlags)
{
  KeyTranslator entry(65, 65, true, true, true, true, true, true, true);
  EXPECT_TRUE(entry.isUnicodeEntry());
  entry.setDiacritic(false);
  EXPECT_FALSE(entry.isUnicodeEntry());
}

TEST(KeyTranslatorTest, CopyKeepsEveryField)
{
  KeyTranslator entry(0x7F, 0x2E, true, false, true, true, false, true, true);
  KeyTranslator copy(entry);
  EXPECT_EQ(entry, copy);
  KeyTranslator assigned;
  assigned = entry;
  EXPECT_EQ(entry, assigned);
  assigned.setAlt(false);
  EXPECT_NE(entry, assigned);
}

TEST(KeyTranslatorDeathTest, ConstructingWithAnOutOfRangeCodeIsAProgrammingError)
{
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        testsupport::answerFatalErrorBoxes();
        KeyTranslator entry(300, 0, false, false, false, false, false, false, false);
      },
      ::testing::ExitedWithCode(0), "Assertion failed: true == setASCII\\(nASCII\\)");
}
}  // namespace
