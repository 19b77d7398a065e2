#pragma once

#include "KeyTranslator.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class Registry;

// The 256 key translators of a profile, owned and keyed by the character code in decimal ("0".."255").
class KeyTranslatorMap
{
public:
  // Registry value that holds the stored form.
  static const char* const kszKeyTranslatorMap;

  // A new map holds the default recipes.
  KeyTranslatorMap();
  KeyTranslatorMap(const KeyTranslatorMap& other);
  KeyTranslatorMap& operator=(const KeyTranslatorMap& other);
  ~KeyTranslatorMap() = default;

  // The key text of a character code: "%d", 0..255, never sign-extended.
  static std::string keyOf(unsigned char byCode);

  bool lookup(const std::string& strKey, KeyTranslator*& pKeyTranslator) const;
  // The entry of a byte; a missing entry is a programming error (a complete map has all 256).
  KeyTranslator& entryOf(unsigned char byCode) const;
  // Takes ownership on success; false when the key is already present (the caller keeps ownership).
  bool add(const std::string& strKey, KeyTranslator* pKeyTranslator);
  bool removeKey(const std::string& strKey);
  void removeAll();
  int getCount() const { return static_cast<int>(m_mapEntries.size()); }

  // The entries in key order.
  std::vector<const KeyTranslator*> entries() const;

  // Replaces every entry by the built-in default recipes; always true.
  bool setDefault();

  // The 768-byte stored form: record i (key code, scan code, flag bits) at offset 3 * i.
  std::string toStoredForm() const;
  // Replaces the entries by those of a stored form of exactly 768 bytes.
  bool fromStoredForm(const unsigned char* pbyStored, std::string& strError);

  // The stored form as the binary value "KeyTranslatorMap" of a profile key. Load empties the map
  // first and fails, with the message in strError, unless the value holds exactly 768 bytes.
  bool loadKeyTranslatorMap(const Registry& regKey, std::string& strError);
  bool saveKeyTranslatorMap(Registry& regKey) const;

private:
  std::map<std::string, std::unique_ptr<KeyTranslator>> m_mapEntries;
};
