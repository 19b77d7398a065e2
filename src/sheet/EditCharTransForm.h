#pragma once

#include <string>

class ControlValues;
class KeyTranslator;

// The rules of "Edit Character Translation": what its fields show of one translator, the key
// code's hexadecimal display, the key tester, and the check before OK stores the fields.
class EditCharTransForm
{
public:
  static const char kszInvalidKeyCode[];
  static constexpr int kcchMaxKeyCode = 3;

  static void load(const KeyTranslator& translator, ControlValues& controls);
  // "0x%02x" of the key code field read as a decimal number (0 for a text that is none).
  static std::string hexOfKeyCode(const std::string& strKeyCodeText);
  // What the tester field shows for a pressed key.
  static std::string testerText(int nVirtualKey);
  // The key code field's text taken from the tester's text (from its fifth character on).
  static std::string keyCodeOfTesterText(const std::string& strTesterText);

  struct Outcome
  {
    bool fStored = true;
    std::string strMessage;  // shown with a stop icon when the dialog must stay open
    int nFocusId = 0;
  };
  // OK: stores the fields into the translator, or refuses a key code that is not a number from
  // 0 to 255 (storing nothing).
  static Outcome store(const ControlValues& controls, KeyTranslator& translator);
};
