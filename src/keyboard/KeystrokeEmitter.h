#pragma once

#include "CapsLockState.h"
#include "ForegroundWindow.h"
#include "KeyEventSink.h"
#include "KeyStep.h"
#include "KeyTranslatorMap.h"
#include "KeyboardRefusal.h"
#include "TypingRuleList.h"

#include <string>
#include <vector>

// What keystroke emission takes from the running profile.
struct KeyboardOutputSettings
{
  int nIntercharacterDelay = 0;
  bool fSendPreAndPostfixKeys = false;
  bool fLockOutputWindow = false;
  std::vector<std::string> rgstrTitles;
  // Owned by the profile; must outlive the emitter's use of it.
  const KeyTranslatorMap* pmapKeyTranslator = nullptr;
  // Owned by the profile likewise; null or empty types everything by the key map.
  const TypingRuleList* pTypingRules = nullptr;
};

// Types texts into the foreground window through the key translator map, never into the
// program's own main window, and reports what it typed.
class KeystrokeEmitter
{
public:
  KeystrokeEmitter(KeyEventSink& sink, const ForegroundWindow& foregroundWindow, const CapsLockState& capsLock);

  void setSettings(const KeyboardOutputSettings& settings) { m_settings = settings; }
  const KeyboardOutputSettings& getSettings() const { return m_settings; }

  // The gate: the lock (unless fDescribeOnly), g_fKeyboardEvents, the main window in front; for
  // real typing also a window in front, and one at no higher integrity level than ours.
  bool isKeyboardOutputAllowed(bool fDescribeOnly) const;
  KeyboardRefusal refusalNow(bool fDescribeOnly) const;

  // Types the text and appends the report ("A b Enter "); fDescribeOnly only builds the report.
  // Typing stops at the first refusal of the gate or of the system, which is kept as the refusal.
  void sendKeystrokes(const char* psz, std::string& strReport, bool fDescribeOnly);

  // The first refusal since the last call, and forgotten: what kept output from being typed.
  KeyboardRefusal takeRefusal();
  // The characters skipped for want of a recipe since the last call, each once, in the order
  // met, and forgotten.
  std::string takeSkipped();

  // Ctrl+Alt+Shift+key; nothing is reported.
  void sendModifiedChord(int nVirtualKey, int nScanCode);
  // Ctrl+Alt+Shift+1 and Ctrl+Alt+Shift+2 around a matching format's output, when the profile asks.
  void sendPrefixKeys();
  void sendPostfixKeys();

private:
  // What was found out about the window in front when it came there, so that the title, the
  // lock's patterns and the typing rules are looked at once per window rather than per byte.
  struct WindowVerdict
  {
    bool fKnown = false;
    uintptr_t id = 0;
    KeyboardRefusal refusal = KeyboardRefusal::kNone;
    const TypingRule* pRule = nullptr;
    std::unique_ptr<TargetKeyboard> pKeyboard;
  };

  const WindowVerdict& verdictNow();
  bool typeByte(unsigned char by, bool fDescribeOnly, std::string& strReport);
  bool perform(const std::vector<KeyStep>& rgSteps);
  void sendChordIfEnabled(int nVirtualKey, int nScanCode);
  void noteRefusal(KeyboardRefusal refusal);
  void noteSkipped(char ch);

  KeyEventSink& m_sink;
  const ForegroundWindow& m_foregroundWindow;
  const CapsLockState& m_capsLock;
  KeyboardOutputSettings m_settings;
  KeyboardRefusal m_refusal = KeyboardRefusal::kNone;
  std::string m_strSkipped;
  WindowVerdict m_verdict;
};
