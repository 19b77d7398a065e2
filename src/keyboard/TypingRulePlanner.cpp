#include "TypingRulePlanner.h"

#include "KeyStepList.h"
#include "KeyTables.h"

#include <cstdio>

namespace
{
// Code page 1252's characters 0x80-0x9F; 0 where it has none. The rest equal their code.
const unsigned short krgwCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The numeric keypad's keys 0 to 9 and their scan codes.
const int kvkNumpad0 = 0x60;
const int krgnNumpadScanCodes[10] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};

// Letters with two cases, whose keys follow caps lock on every layout.
bool hasTwoCases(unsigned char by)
{
  if ((by >= 'A' && by <= 'Z') || (by >= 'a' && by <= 'z'))
    return true;
  if (by == 0x8A || by == 0x8C || by == 0x8E || by == 0x9A || by == 0x9C || by == 0x9E || by == 0x9F)
    return true;
  return by >= 0xC0 && by != 0xD7 && by != 0xF7 && by != 0xDF && by != 0xFF;
}

// Ctrl and a key of the US layout make every control character; Backspace, Tab, Enter and
// Escape are keys of their own and stay with the key map.
bool isControlByte(unsigned char by)
{
  return by < 0x20 && by != 0x08 && by != 0x09 && by != 0x0D && by != 0x1B;
}

struct CtrlKey
{
  int nVirtualKey;
  bool fShift;
};

// NUL is Ctrl+@ (Shift+2), 1-26 Ctrl+A to Ctrl+Z, then Ctrl+\ Ctrl+] Ctrl+^ Ctrl+_ as US keys.
CtrlKey ctrlKeyOf(unsigned char by)
{
  if (by == 0)
    return {'2', true};
  if (by <= 26)
    return {'A' + by - 1, false};
  switch (by)
  {
  case 0x1C:
    return {0xDC, false};
  case 0x1D:
    return {0xDD, false};
  case 0x1E:
    return {'6', true};
  default:
    return {0xBD, true};
  }
}

KeystrokePlan finished(KeyStepList& steps, const std::string& strReport)
{
  KeystrokePlan plan;
  plan.rgSteps = std::move(steps.steps());
  plan.strReport = strReport + " ";
  return plan;
}

void append(KeystrokePlan& plan, const KeystrokePlan& part)
{
  plan.rgSteps.insert(plan.rgSteps.end(), part.rgSteps.begin(), part.rgSteps.end());
  plan.strReport += part.strReport;
}
}  // namespace

TypingRulePlanner::TypingRulePlanner(const TypingRule& rule, const TargetKeyboard& keyboard,
                                     const KeyTranslatorMap& mapKeyTranslator, int nDelay, bool fDescribeOnly)
    : m_rule(rule), m_keyboard(keyboard), m_mapKeyTranslator(mapKeyTranslator), m_nDelay(nDelay),
      m_fDescribeOnly(fDescribeOnly)
{
}

unsigned TypingRulePlanner::unicodeOf(unsigned char by)
{
  return by >= 0x80 && by < 0xA0 ? krgwCp1252High[by - 0x80] : by;
}

// Printable characters the key map types as Unicode events, or has no recipe for; the keys it
// names (navigation, function keys, the Nordic letters) stay its own.
bool TypingRulePlanner::isTextByte(unsigned char by) const
{
  if (by < 0x20 || by == 0x7F)
    return false;
  const KeyTranslator& entry = m_mapKeyTranslator.entryOf(by);
  return entry.isUnicodeEntry() || !entry.getValid();
}

bool TypingRulePlanner::decides(unsigned char by) const
{
  if (isControlByte(by))
    return m_rule.getControlMethod() != TypingRule::kControlKeyMap;
  return isTextByte(by);
}

bool TypingRulePlanner::plan(unsigned char by, int nCapsState, KeystrokePlan& plan) const
{
  plan = KeystrokePlan();
  if (isControlByte(by))
    return planControl(by, nCapsState, plan);
  return planText(by, nCapsState, plan);
}

// A Unicode entry's character is its key code, as the key map sends it.
bool TypingRulePlanner::planText(unsigned char by, int nCapsState, KeystrokePlan& plan) const
{
  const KeyTranslator& entry = m_mapKeyTranslator.entryOf(by);
  unsigned char byChar = entry.isUnicodeEntry() ? static_cast<unsigned char>(entry.getKeyCode()) : by;
  unsigned nCode = entry.isUnicodeEntry() ? byChar : unicodeOf(by);
  if (nCode == 0)
    return false;
  switch (m_rule.getTextMethod())
  {
  case TypingRule::kTextLayoutKeys:
    return planLayoutKeys(byChar, nCode, nCapsState, plan);
  case TypingRule::kTextAltNumpad:
    plan = planAltNumpad(byChar);
    return true;
  default:
    plan = planUnicode(byChar, nCode);
    return true;
  }
}

// A character the layout has no key for goes the other way the window takes: consoles drop
// Unicode events, Wine knows no Alt+numpad codes.
bool TypingRulePlanner::planLayoutKeys(unsigned char by, unsigned nCode, int nCapsState, KeystrokePlan& plan) const
{
  using P = KeystrokePlanner;
  LayoutKey key;
  if (!m_keyboard.keyOf(nCode, key))
  {
    if (m_keyboard.takesUnicode())
      plan = planUnicode(by, nCode);
    else if (m_keyboard.takesAltNumpad())
      plan = planAltNumpad(by);
    else
      return false;
    return true;
  }
  bool fShift = hasTwoCases(by) && nCapsState == 1 ? !key.fShift : key.fShift;
  KeyStepList steps(m_nDelay, m_fDescribeOnly);
  if (key.fControl)
    steps.keyDown(P::kvkControl, P::kscControl);
  if (key.fAlt)
    steps.keyDown(P::kvkAlt, P::kscAlt);
  if (fShift)
    steps.keyDown(P::kvkShift, P::kscShift);
  steps.keyDown(key.nVirtualKey, key.nScanCode);
  steps.keyUp(key.nVirtualKey, key.nScanCode);
  if (fShift)
    steps.keyUp(P::kvkShift, P::kscShift);
  if (key.fAlt)
    steps.keyUp(P::kvkAlt, P::kscAlt);
  if (key.fControl)
    steps.keyUp(P::kvkControl, P::kscControl);
  plan = finished(steps, std::string(1, static_cast<char>(by)));
  return true;
}

KeystrokePlan TypingRulePlanner::planUnicode(unsigned char by, unsigned nCode) const
{
  KeyStepList steps(m_nDelay, m_fDescribeOnly);
  steps.unicode(static_cast<int>(nCode));
  return finished(steps, std::string(1, static_cast<char>(by)));
}

// Alt held while the code page 1252 code is typed on the keypad with a leading zero ("0233").
KeystrokePlan TypingRulePlanner::planAltNumpad(unsigned char by) const
{
  using P = KeystrokePlanner;
  char szDigits[8];
  std::snprintf(szDigits, sizeof szDigits, "0%03u", static_cast<unsigned>(by));
  KeyStepList steps(m_nDelay, m_fDescribeOnly);
  steps.keyDown(P::kvkAlt, P::kscAlt);
  for (const char* pch = szDigits; *pch != '\0'; ++pch)
  {
    int nDigit = *pch - '0';
    steps.keyDown(kvkNumpad0 + nDigit, krgnNumpadScanCodes[nDigit]);
    steps.keyUp(kvkNumpad0 + nDigit, krgnNumpadScanCodes[nDigit]);
  }
  steps.keyUp(P::kvkAlt, P::kscAlt);
  return finished(steps, KeyTables::keyName(P::kscAlt, false) + "+" + szDigits);
}

// Reported as the character Ctrl makes it from ("Ctrl+]"), whatever Shift that takes.
KeystrokePlan TypingRulePlanner::planCtrlKey(unsigned char by) const
{
  using P = KeystrokePlanner;
  CtrlKey ctrlKey = ctrlKeyOf(by);
  int nScanCode = m_keyboard.scanCodeOf(ctrlKey.nVirtualKey);
  KeyStepList steps(m_nDelay, m_fDescribeOnly);
  steps.keyDown(P::kvkControl, P::kscControl);
  if (ctrlKey.fShift)
    steps.keyDown(P::kvkShift, P::kscShift);
  steps.keyDown(ctrlKey.nVirtualKey, nScanCode);
  steps.keyUp(ctrlKey.nVirtualKey, nScanCode);
  if (ctrlKey.fShift)
    steps.keyUp(P::kvkShift, P::kscShift);
  steps.keyUp(P::kvkControl, P::kscControl);
  return finished(steps, KeyTables::keyName(P::kscControl, false) + "+" + std::string(1, static_cast<char>('@' + by)));
}

// The replacement text goes as other text does; its own control characters and keys go by the key
// map, so a text never leads back to itself. Its characters the window takes in no way are left
// out, like those of the data, and the rest is typed.
bool TypingRulePlanner::planControl(unsigned char by, int nCapsState, KeystrokePlan& plan) const
{
  switch (m_rule.getControlMethod())
  {
  case TypingRule::kControlCtrlKey:
    plan = planCtrlKey(by);
    return true;
  case TypingRule::kControlAltNumpad:
    plan = planAltNumpad(by);
    return true;
  default:
    break;
  }
  bool fAll = true;
  for (char ch : m_rule.getRawControlText())
  {
    unsigned char byText = static_cast<unsigned char>(ch);
    KeystrokePlan part;
    const KeyTranslator& entry = m_mapKeyTranslator.entryOf(byText);
    if (isTextByte(byText))
      fAll = planText(byText, nCapsState, part) && fAll;
    else if (entry.getValid())
      part = KeystrokePlanner::planEntry(entry, nCapsState, m_nDelay, m_fDescribeOnly);
    else
      fAll = false;
    append(plan, part);
  }
  return fAll;
}
