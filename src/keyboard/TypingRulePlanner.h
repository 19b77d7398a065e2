#pragma once

#include "KeystrokePlanner.h"
#include "TargetKeyboard.h"
#include "TypingRule.h"

// Turns bytes into key events the way a typing rule says. The rule decides for the text's
// characters that the key map types as Unicode events or not at all, and, unless it leaves them to
// the key map, for the control characters other than Backspace, Tab, Enter and Escape; every other
// byte is typed by its recipe as without a rule.
class TypingRulePlanner
{
public:
  TypingRulePlanner(const TypingRule& rule, const TargetKeyboard& keyboard, const KeyTranslatorMap& mapKeyTranslator,
                    int nDelay, bool fDescribeOnly);

  bool decides(unsigned char by) const;
  // The byte's steps and report; false when the window in front takes none of the ways the byte
  // (or a character of its replacement text) could be typed: what it can take is planned.
  bool plan(unsigned char by, int nCapsState, KeystrokePlan& plan) const;

  // The UTF-16 code unit of a code page 1252 byte.
  static unsigned unicodeOf(unsigned char by);

private:
  bool planText(unsigned char by, int nCapsState, KeystrokePlan& plan) const;
  bool planControl(unsigned char by, int nCapsState, KeystrokePlan& plan) const;
  bool planLayoutKeys(unsigned char by, unsigned nCode, int nCapsState, KeystrokePlan& plan) const;
  KeystrokePlan planUnicode(unsigned char by, unsigned nCode) const;
  KeystrokePlan planAltNumpad(unsigned char by) const;
  KeystrokePlan planCtrlKey(unsigned char by) const;
  bool isTextByte(unsigned char by) const;

  const TypingRule& m_rule;
  const TargetKeyboard& m_keyboard;
  const KeyTranslatorMap& m_mapKeyTranslator;
  int m_nDelay;
  bool m_fDescribeOnly;
};
