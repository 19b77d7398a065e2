#include "KeystrokeEmitter.h"

#include "KeyboardEvents.h"
#include "KeystrokePlanner.h"
#include "OutputWindowLock.h"
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
// then on the rest of the text is dropped rather than typed into the wrong window.
void KeystrokeEmitter::sendKeystrokes(const char* psz, std::string& strReport, bool fDescribeOnly)
{
  QB_ASSERT(NULL != psz);
  QB_ASSERT(NULL != m_settings.pmapKeyTranslator);
  for (const char* pch = psz; *pch != '\0'; ++pch)
  {
    const KeyTranslator& entry = m_settings.pmapKeyTranslator->entryOf(static_cast<unsigned char>(*pch));
    // Not typed, as the map says, but not in silence either: the user learns that a recipe is
    // missing rather than finding a word short in the window.
    if (!entry.getValid())
    {
      noteSkipped(*pch);
      continue;
    }
    KeyboardRefusal refusal = refusalNow(fDescribeOnly);
    if (refusal != KeyboardRefusal::kNone)
    {
      noteRefusal(refusal);
      return;
    }
    int nCapsState = entry.isUnicodeEntry() ? 0 : m_capsLock.getCapsLockState();
    KeystrokePlan plan =
        KeystrokePlanner::planEntry(entry, nCapsState, m_settings.nIntercharacterDelay, fDescribeOnly);
    if (!perform(plan.rgSteps))
      return;
    strReport += plan.strReport;
  }
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
