#pragma once

#include "KeyTranslator.h"
#include "base/OwningMap.h"

#include <cstdint>
#include <memory>
#include <string>

class Registry;

// The 256 key translators of a profile, owned and keyed by the character code in decimal ("0".."255").
class KeyTranslatorMap : public OwningMap<KeyTranslator>
{
public:
  // Registry value that holds the stored form.
  static const char kszKeyTranslatorMap[];

  // A new map holds the default recipes.
  KeyTranslatorMap();

  // The key text of a character code: "%d", 0..255, never sign-extended.
  static std::string keyOf(unsigned char byCode);

  KeyTranslator* lookup(const std::string& strKey) { return find(strKey); }
  const KeyTranslator* lookup(const std::string& strKey) const { return find(strKey); }
  // The entry of a byte; a missing entry is a programming error (a complete map has all 256).
  KeyTranslator& entryOf(unsigned char byCode) const;
  // False, replacing nothing and discarding the translator, when the key is present.
  bool add(const std::string& strKey, std::unique_ptr<KeyTranslator> pKeyTranslator);
  bool removeKey(const std::string& strKey) { return removeUnder(strKey); }

  // Replaces every entry by the built-in default recipes; always true.
  bool setDefault();

  // The 768-byte stored form: record i (key code, scan code, flag bits) at offset 3 * i.
  std::string toStoredForm() const;
  // Replaces the entries by those of a stored form of exactly 768 bytes.
  bool fromStoredForm(const unsigned char* pbyStored, std::string& strError);

  // The value "KeyTranslatorMap" of an open profile key. A failed load leaves the default recipes.
  bool loadKeyTranslatorMap(const Registry& regKey, std::string& strError);
  bool saveKeyTranslatorMap(Registry& regKey) const;

private:
  bool readStoredForm(const Registry& regKey, std::string& strError);
  static std::string invalidSizeMessage(const Registry& regKey, uint32_t dwSize);
};
