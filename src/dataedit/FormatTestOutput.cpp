#include "FormatTestOutput.h"

#include "base/Assert.h"
#include "base/DataConv.h"

bool FormatTestOutput::NoKeyEvents::keyEvent(int, int, unsigned)
{
  QB_ASSERT(!"a test of formats never presses keys");
  return false;
}

bool FormatTestOutput::NoKeyEvents::unicodeEvent(int, unsigned)
{
  QB_ASSERT(!"a test of formats never presses keys");
  return false;
}

FormatTestOutput::FormatTestOutput(const KeyTranslatorMap& mapKeyTranslator, const ForegroundWindow& foregroundWindow,
                                   const CapsLockState& capsLock)
    : m_emitter(m_noKeyEvents, foregroundWindow, capsLock)
{
  KeyboardOutputSettings settings;
  settings.pmapKeyTranslator = &mapKeyTranslator;
  m_emitter.setSettings(settings);
}

void FormatTestOutput::clear()
{
  m_strDataOutput.clear();
  m_strKeyboardOutput.clear();
}

void FormatTestOutput::addPiece(const char* pszPiece)
{
  QB_ASSERT(NULL != pszPiece);
  m_strDataOutput += DataConv::render(pszPiece);
  m_emitter.sendKeystrokes(pszPiece, m_strKeyboardOutput, true);
}
