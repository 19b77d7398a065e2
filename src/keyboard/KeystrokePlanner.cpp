#include "KeystrokePlanner.h"

#include "KeyStepList.h"
#include "KeyTables.h"
#include "base/Assert.h"

namespace
{
std::string modifierName(int nScanCode)
{
  return KeyTables::keyName(nScanCode, false) + "+";
}

KeystrokePlan planUnicodeEntry(const KeyTranslator& entry, KeyStepList& steps)
{
  steps.unicode(entry.getKeyCode());
  KeystrokePlan plan;
  plan.rgSteps = std::move(steps.steps());
  plan.strReport = std::string(1, static_cast<char>(entry.getKeyCode())) + " ";
  return plan;
}

// Caps lock inverts Shift for keys that follow it, so a Nordic letter comes out in the case the
// user sees on the keyboard.
bool isShiftPressed(const KeyTranslator& entry, int nCapsState)
{
  if (entry.getCapsDependent() && nCapsState == 1)
    return !entry.getShift();
  return entry.getShift();
}

KeystrokePlan planKeyEntry(const KeyTranslator& entry, int nCapsState, KeyStepList& steps)
{
  using P = KeystrokePlanner;
  std::string strPart;
  if (entry.getControl())
  {
    steps.keyDown(P::kvkControl, P::kscControl);
    strPart += modifierName(P::kscControl);
  }
  if (entry.getAlt())
  {
    steps.keyDown(P::kvkAlt, P::kscAlt);
    strPart += modifierName(P::kscAlt);
  }
  bool fShiftPressed = isShiftPressed(entry, nCapsState);
  if (fShiftPressed)
  {
    steps.keyDown(P::kvkShift, P::kscShift);
    strPart += modifierName(P::kscShift);
  }
  unsigned dwExtended = entry.getExtended() ? kdwKeyExtended : 0;
  steps.keyDown(entry.getKeyCode(), entry.getScanCode(), dwExtended);
  steps.keyUp(entry.getKeyCode(), entry.getScanCode(), dwExtended);
  strPart += KeyTables::keyName(entry.getScanCode(), entry.getExtended());
  if (fShiftPressed)
    steps.keyUp(P::kvkShift, P::kscShift);
  if (entry.getAlt())
    steps.keyUp(P::kvkAlt, P::kscAlt);
  if (entry.getControl())
    steps.keyUp(P::kvkControl, P::kscControl);
  // A dead key only arms the accent; the space makes it appear on its own.
  if (entry.getDiacritic())
  {
    steps.keyDown(P::kvkSpace, P::kscSpace);
    steps.keyUp(P::kvkSpace, P::kscSpace);
  }
  KeystrokePlan plan;
  plan.rgSteps = std::move(steps.steps());
  plan.strReport = strPart + " ";
  return plan;
}
}  // namespace

KeystrokePlan KeystrokePlanner::planEntry(const KeyTranslator& entry, int nCapsState, int nDelay,
                                          bool fDescribeOnly)
{
  if (!entry.getValid())
    return KeystrokePlan();
  KeyStepList steps(nDelay, fDescribeOnly);
  if (entry.isUnicodeEntry())
    return planUnicodeEntry(entry, steps);
  return planKeyEntry(entry, nCapsState, steps);
}

KeystrokePlan KeystrokePlanner::planText(const char* psz, const KeyTranslatorMap& mapKeyTranslator, int nCapsState,
                                         int nDelay, bool fDescribeOnly)
{
  QB_ASSERT(NULL != psz);
  KeystrokePlan planText;
  for (const char* pch = psz; *pch != '\0'; ++pch)
  {
    const KeyTranslator& entry = mapKeyTranslator.entryOf(static_cast<unsigned char>(*pch));
    KeystrokePlan planByte = planEntry(entry, nCapsState, nDelay, fDescribeOnly);
    planText.rgSteps.insert(planText.rgSteps.end(), planByte.rgSteps.begin(), planByte.rgSteps.end());
    planText.strReport += planByte.strReport;
  }
  return planText;
}

std::vector<KeyStep> KeystrokePlanner::planModifiedChord(int nVirtualKey, int nScanCode, int nDelay)
{
  KeyStepList steps(nDelay, false);
  steps.keyDown(kvkControl, kscControl);
  steps.keyDown(kvkAlt, kscAlt);
  steps.keyDown(kvkShift, kscShift);
  steps.keyDown(nVirtualKey, nScanCode);
  steps.keyUp(nVirtualKey, nScanCode);
  steps.keyUp(kvkShift, kscShift);
  steps.keyUp(kvkAlt, kscAlt);
  steps.keyUp(kvkControl, kscControl);
  return std::move(steps.steps());
}
