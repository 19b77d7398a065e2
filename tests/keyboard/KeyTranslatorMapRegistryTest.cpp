// The stored key translator map, natively against the in-memory hive and under Wine against the
// real registry.
#include "keyboard/KeyTranslatorMap.h"
#include "ScratchKey.h"

#include <gtest/gtest.h>

namespace
{
const char kszSizeMessageTail[] =
    " bytes, should be 768. Uninstall any earlier version of Quilbar and re-install this version. Please note "
    "that any customized settings will be lost.";

class KeyTranslatorMapRegistryTest : public ::testing::Test
{
protected:
  ScratchKey m_scratch{currentTestKeyName()};
  Registry& m_key = m_scratch.key();

  std::string storedBytes()
  {
    unsigned char rgby[1024] = {};
    uint32_t dwLen = sizeof rgby;
    EXPECT_TRUE(m_key.getKeyValue("KeyTranslatorMap", rgby, dwLen));
    return std::string(reinterpret_cast<const char*>(rgby), dwLen);
  }

  void storeBytes(const std::string& strBytes)
  {
    ASSERT_TRUE(m_key.createKeyValue("KeyTranslatorMap", reinterpret_cast<const unsigned char*>(strBytes.data()),
                                     static_cast<uint32_t>(strBytes.size())));
  }

  // A map changed away from the defaults, to see that a failed load does not keep it.
  static KeyTranslatorMap editedMap()
  {
    KeyTranslatorMap map;
    map.entryOf('A').setKeyCode(0xBA);
    map.entryOf('A').setFlagBits(0x31);
    map.entryOf(0).setValid(true);
    map.entryOf(0xFF).setFlagBits(0x7F);
    return map;
  }

  static void expectEqualMaps(const KeyTranslatorMap& expected, const KeyTranslatorMap& actual)
  {
    ASSERT_EQ(256, actual.getCount());
    for (int i = 0; i < 256; ++i)
      EXPECT_EQ(expected.entryOf(static_cast<unsigned char>(i)), actual.entryOf(static_cast<unsigned char>(i)))
          << "entry " << i;
  }
};

TEST_F(KeyTranslatorMapRegistryTest, DefaultMapIsStoredAsOneBinaryValue)
{
  ASSERT_TRUE(KeyTranslatorMap().saveKeyTranslatorMap(m_key));
  EXPECT_TRUE(m_key.hasKeyValueType("KeyTranslatorMap", Registry::kdwTypeBinary));
  std::string strStored = storedBytes();
  ASSERT_EQ(768u, strStored.size());
  EXPECT_EQ(std::string("\x41\x1E\x7F", 3), strStored.substr(65 * 3, 3));
  EXPECT_EQ(std::string("\xDE\x28\x13", 3), strStored.substr(0xC4 * 3, 3));
  EXPECT_EQ(KeyTranslatorMap().toStoredForm(), strStored);
}

TEST_F(KeyTranslatorMapRegistryTest, SavedMapLoadsBackEqual)
{
  KeyTranslatorMap original = editedMap();
  ASSERT_TRUE(original.saveKeyTranslatorMap(m_key));
  KeyTranslatorMap loaded;
  std::string strError;
  ASSERT_TRUE(loaded.loadKeyTranslatorMap(m_key, strError)) << strError;
  expectEqualMaps(original, loaded);
}

TEST_F(KeyTranslatorMapRegistryTest, FlagBit7HasNoEffect)
{
  std::string strStored = KeyTranslatorMap().toStoredForm();
  strStored[0x0D * 3 + 2] = '\x81';
  storeBytes(strStored);
  KeyTranslatorMap loaded = editedMap();
  std::string strError;
  ASSERT_TRUE(loaded.loadKeyTranslatorMap(m_key, strError)) << strError;
  expectEqualMaps(KeyTranslatorMap(), loaded);
}

TEST_F(KeyTranslatorMapRegistryTest, WrongSizesFailWithTheSizeMessageAndLeaveTheDefaults)
{
  for (size_t nSize : {765u, 769u, 0u, 1536u})
  {
    SCOPED_TRACE(nSize);
    storeBytes(std::string(nSize, '\x01'));
    KeyTranslatorMap loaded = editedMap();
    std::string strError;
    EXPECT_FALSE(loaded.loadKeyTranslatorMap(m_key, strError));
    EXPECT_EQ("Invalid size of key value KeyTranslatorMap in subkey " + m_scratch.path() + ". Was " +
                  std::to_string(nSize) + kszSizeMessageTail,
              strError);
    expectEqualMaps(KeyTranslatorMap(), loaded);
  }
}

TEST_F(KeyTranslatorMapRegistryTest, MissingValueOrOtherTypeFailsWithAReadMessage)
{
  KeyTranslatorMap loaded = editedMap();
  std::string strError;
  EXPECT_FALSE(loaded.loadKeyTranslatorMap(m_key, strError));
  EXPECT_EQ("Failed to read the registry key KeyTranslatorMap from subkey " + m_scratch.path() + ".", strError);
  expectEqualMaps(KeyTranslatorMap(), loaded);

  ASSERT_TRUE(m_key.createKeyValue("KeyTranslatorMap", std::string(767, 'x')));
  strError.clear();
  EXPECT_FALSE(loaded.loadKeyTranslatorMap(m_key, strError));
  EXPECT_EQ("Failed to read the registry key KeyTranslatorMap from subkey " + m_scratch.path() + ".", strError);
}
}  // namespace
