#include "KeystrokeEmitter.h"

#include "KeyboardEvents.h"
#include "KeystrokePlanner.h"
#include "OutputWindowLock.h"
#include "TypingRulePlanner.h"
#include "base/Assert.h"

KeystrokeEmitter::KeystrokeEmitter(KeyEventSink& sink, const ForegroundWindow& foregroundWindow,
                                   const CapsLockState& capsLock)
    : m_sink(sink), m_foregroundWindow(foregroundWindow), m_capsLock(capsLock)
{
}

bool KeystrokeEmitter::isKeyboardOutputAllowed(bool fDescribeOnly) const
{
  return refusalNow(fDescribeOnly) == KeyboardRefusal::kNone;
}

// A report built without typing does not depend on which window is in front, beyond our own.
KeyboardRefusal KeystrokeEmitter::refusalNow(bool fDescribeOnly) const
{
  if (!fDescribeOnly &&
      !isOutputWindowUnlocked(m_settings.fLockOutputWindow, m_settings.rgstrTitles, m_foregroundWindow))
    return KeyboardRefusal::kLockedWindowNotInFront;
  if (!g_fKeyboardEvents)
    return KeyboardRefusal::kKeyboardEventsOff;
  if (m_foregroundWindow.isOwnMainWindow())
    return KeyboardRefusal::kOwnWindowInFront;
  if (fDescribeOnly)
    return KeyboardRefusal::kNone;
  std::string strTitle;
  if (!m_foregroundWindow.getTitle(strTitle))
    return KeyboardRefusal::kNoForegroundWindow;
  if (m_foregroundWindow.isAboveOwnIntegrity())
    return KeyboardRefusal::kElevatedWindow;
  return KeyboardRefusal::kNone;
}

KeyboardRefusal KeystrokeEmitter::takeRefusal()
{
  KeyboardRefusal refusal = m_refusal;
  m_refusal = KeyboardRefusal::kNone;
  return refusal;
}

std::string KeystrokeEmitter::takeSkipped()
{
  std::string strSkipped;
  strSkipped.swap(m_strSkipped);
  return strSkipped;
}

void KeystrokeEmitter::noteSkipped(char ch)
{
  if (m_strSkipped.find(ch) == std::string::npos)
    m_strSkipped += ch;
}

void KeystrokeEmitter::noteRefusal(KeyboardRefusal refusal)
{
  if (m_refusal == KeyboardRefusal::kNone)
    m_refusal = refusal;
}

// The gate is asked again before every byte: typing blocks this thread for the whole text, and the
// user may bring another window (our own, or one the lock refuses) to the front meanwhile. From
// then on the rest of the text is dropped rather than typed into the wrong window. What depends
// only on the window (its title against the lock, its typing rule) is found out when it comes to
// the front; before each byte only which window is in front is asked.
void KeystrokeEmitter::sendKeystrokes(const char* psz, std::string& strReport, bool fDescribeOnly)
{
  QB_ASSERT(NULL != psz);
  QB_ASSERT(NULL != m_settings.pmapKeyTranslator);
  m_verdict = WindowVerdict();
  for (const char* pch = psz; *pch != '\0'; ++pch)
  {
    if (!typeByte(static_cast<unsigned char>(*pch), fDescribeOnly, strReport))
      return;
  }
}

const KeystrokeEmitter::WindowVerdict& KeystrokeEmitter::verdictNow()
{
  uintptr_t id = m_foregroundWindow.windowId();
  if (m_verdict.fKnown && m_verdict.id == id)
    return m_verdict;
  m_verdict = WindowVerdict();
  m_verdict.fKnown = true;
  m_verdict.id = id;
  m_verdict.refusal = refusalNow(false);
  std::string strTitle, strClass;
  if (m_verdict.refusal == KeyboardRefusal::kNone && m_settings.pTypingRules != nullptr &&
      !m_settings.pTypingRules->empty() && m_foregroundWindow.getTitle(strTitle) &&
      m_foregroundWindow.getClassName(strClass))
  {
    m_verdict.pRule = m_settings.pTypingRules->ruleFor(strTitle, strClass);
    if (m_verdict.pRule != nullptr)
      m_verdict.pKeyboard = m_foregroundWindow.targetKeyboard();
  }
  return m_verdict;
}

// Typing rules apply to real typing only: a report built without typing does not know the window
// it will go to.
bool KeystrokeEmitter::typeByte(unsigned char by, bool fDescribeOnly, std::string& strReport)
{
  const KeyTranslator& entry = m_settings.pmapKeyTranslator->entryOf(by);
  bool fRulesInPlay = !fDescribeOnly && m_settings.pTypingRules != nullptr && !m_settings.pTypingRules->empty();
  // Not typed, as the map says, but not in silence either: the user learns that a recipe is
  // missing rather than finding a word short in the window.
  if (!entry.getValid() && !fRulesInPlay)
  {
    noteSkipped(static_cast<char>(by));
    return true;
  }
  KeyboardRefusal refusal = fDescribeOnly ? refusalNow(true) : verdictNow().refusal;
  if (refusal == KeyboardRefusal::kNone && !g_fKeyboardEvents)
    refusal = KeyboardRefusal::kKeyboardEventsOff;
  if (refusal != KeyboardRefusal::kNone)
  {
    noteRefusal(refusal);
    return false;
  }
  const TypingRule* pRule = fDescribeOnly ? nullptr : m_verdict.pRule;
  KeystrokePlan plan;
  if (pRule != nullptr && m_verdict.pKeyboard)
  {
    TypingRulePlanner planner(*pRule, *m_verdict.pKeyboard, *m_settings.pmapKeyTranslator,
                              m_settings.nIntercharacterDelay, false);
    if (planner.decides(by))
    {
      if (!planner.plan(by, m_capsLock.getCapsLockState(), plan))
        noteSkipped(static_cast<char>(by));
      if (!perform(plan.rgSteps))
        return false;
      strReport += plan.strReport;
      return true;
    }
  }
  if (!entry.getValid())
  {
    noteSkipped(static_cast<char>(by));
    return true;
  }
  int nCapsState = entry.isUnicodeEntry() ? 0 : m_capsLock.getCapsLockState();
  plan = KeystrokePlanner::planEntry(entry, nCapsState, m_settings.nIntercharacterDelay, fDescribeOnly);
  if (!perform(plan.rgSteps))
    return false;
  strReport += plan.strReport;
  return true;
}

void KeystrokeEmitter::sendModifiedChord(int nVirtualKey, int nScanCode)
{
  perform(KeystrokePlanner::planModifiedChord(nVirtualKey, nScanCode, m_settings.nIntercharacterDelay));
}

void KeystrokeEmitter::sendPrefixKeys()
{
  sendChordIfEnabled(0x31, 0x02);
}

void KeystrokeEmitter::sendPostfixKeys()
{
  sendChordIfEnabled(0x32, 0x03);
}

void KeystrokeEmitter::sendChordIfEnabled(int nVirtualKey, int nScanCode)
{
  if (!m_settings.fSendPreAndPostfixKeys)
    return;
  KeyboardRefusal refusal = refusalNow(false);
  if (refusal != KeyboardRefusal::kNone)
  {
    noteRefusal(refusal);
    return;
  }
  sendModifiedChord(nVirtualKey, nScanCode);
}

// An event the system refuses ends the steps: typing on after a hole would put the rest of the
// text in the window without the characters before it. Every release of the steps is still
// offered, so no key pressed before the refusal stays down.
bool KeystrokeEmitter::perform(const std::vector<KeyStep>& rgSteps)
{
  bool fAllTaken = true;
  for (const KeyStep& step : rgSteps)
  {
    switch (step.kind)
    {
    case KeyStep::Kind::Key:
      if (fAllTaken || (step.dwFlags & kdwKeyUp) != 0)
        fAllTaken = m_sink.keyEvent(step.nVirtualKey, step.nScanCode, step.dwFlags) && fAllTaken;
      break;
    case KeyStep::Kind::Unicode:
      if (fAllTaken || (step.dwFlags & kdwKeyUp) != 0)
        fAllTaken = m_sink.unicodeEvent(step.nScanCode, step.dwFlags & kdwKeyUp) && fAllTaken;
      break;
    case KeyStep::Kind::Wait:
      if (fAllTaken)
        m_sink.wait(step.nMilliseconds);
      break;
    }
  }
  if (!fAllTaken)
    noteRefusal(KeyboardRefusal::kEventsRefused);
  return fAllTaken;
}
