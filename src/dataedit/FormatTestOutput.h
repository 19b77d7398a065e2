#pragma once

#include "keyboard/KeystrokeEmitter.h"

#include <string>

class CapsLockState;
class ForegroundWindow;
class KeyTranslatorMap;

// What the format test shows of the pieces an expression produces: each piece in the notation
// under "Data Output", and the keys that typing it would press under "Keyboard Output" (keystroke
// emission in describe-only mode: nothing is pressed).
class FormatTestOutput
{
public:
  // The map must outlive this object.
  FormatTestOutput(const KeyTranslatorMap& mapKeyTranslator, const ForegroundWindow& foregroundWindow,
                   const CapsLockState& capsLock);
  FormatTestOutput(const FormatTestOutput&) = delete;
  FormatTestOutput& operator=(const FormatTestOutput&) = delete;

  void clear();
  // The piece ends at its first zero byte, as every output piece does.
  void addPiece(const char* pszPiece);

  const std::string& dataOutput() const { return m_strDataOutput; }
  const std::string& keyboardOutput() const { return m_strKeyboardOutput; }

private:
  // Describe-only emission sends nothing; this sink makes sure of it.
  class NoKeyEvents : public KeyEventSink
  {
  public:
    bool keyEvent(int, int, unsigned) override;
    bool unicodeEvent(int, unsigned) override;
    void wait(int) override {}
  };

  NoKeyEvents m_noKeyEvents;
  KeystrokeEmitter m_emitter;
  std::string m_strDataOutput;
  std::string m_strKeyboardOutput;
};
