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
  if (!fDescribeOnly &&
      !isOutputWindowUnlocked(m_settings.fLockOutputWindow, m_settings.rgstrTitles, m_foregroundWindow))
    return false;
  if (!g_fKeyboardEvents)
    return false;
  return !m_foregroundWindow.isOwnMainWindow();
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
    if (!entry.getValid())
      continue;
    if (!isKeyboardOutputAllowed(fDescribeOnly))
      return;
    int nCapsState = entry.isUnicodeEntry() ? 0 : m_capsLock.getCapsLockState();
    KeystrokePlan plan =
        KeystrokePlanner::planEntry(entry, nCapsState, m_settings.nIntercharacterDelay, fDescribeOnly);
    perform(plan.rgSteps);
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
  if (m_settings.fSendPreAndPostfixKeys && isKeyboardOutputAllowed(false))
    sendModifiedChord(nVirtualKey, nScanCode);
}

void KeystrokeEmitter::perform(const std::vector<KeyStep>& rgSteps)
{
  for (const KeyStep& step : rgSteps)
  {
    switch (step.kind)
    {
    case KeyStep::Kind::Key:
      m_sink.keyEvent(step.nVirtualKey, step.nScanCode, step.dwFlags);
      break;
    case KeyStep::Kind::Unicode:
      m_sink.unicodeEvent(step.nScanCode);
      break;
    case KeyStep::Kind::Wait:
      m_sink.wait(step.nMilliseconds);
      break;
    }
  }
}
