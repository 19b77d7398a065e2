#pragma once

#include "keyboard/CapsLockState.h"
#include "keyboard/ForegroundWindow.h"
#include "keyboard/KeyEventSink.h"
#include "keyboard/KeyStep.h"

#include <functional>
#include <string>
#include <vector>

namespace keyboardtest
{
// Records every event and wait in order; an optional hook runs after each event so a test can
// change the world in the middle of typing.
class RecordingKeyEventSink : public KeyEventSink
{
public:
  void keyEvent(int nVirtualKey, int nScanCode, unsigned dwFlags) override
  {
    m_rgSteps.push_back(KeyStep::key(nVirtualKey, nScanCode, dwFlags));
    if (m_fnAfterEvent)
      m_fnAfterEvent();
  }
  void unicodeEvent(int nCode) override
  {
    m_rgSteps.push_back(KeyStep::unicode(nCode));
    if (m_fnAfterEvent)
      m_fnAfterEvent();
  }
  void wait(int nMilliseconds) override { m_rgSteps.push_back(KeyStep::wait(nMilliseconds)); }

  std::vector<KeyStep> m_rgSteps;
  std::function<void()> m_fnAfterEvent;
};

class FakeForegroundWindow : public ForegroundWindow
{
public:
  bool getTitle(std::string& strTitle) const override
  {
    if (!m_fPresent)
      return false;
    strTitle = m_strTitle;
    return true;
  }
  bool isOwnMainWindow() const override { return m_fOwnMainWindow; }

  bool m_fPresent = true;
  std::string m_strTitle = "Untitled - Notepad";
  bool m_fOwnMainWindow = false;
};

class FakeCapsLockState : public CapsLockState
{
public:
  int getCapsLockState() const override
  {
    ++m_nReads;
    return m_nState;
  }

  int m_nState = 0;
  mutable int m_nReads = 0;
};

std::string describeSteps(const std::vector<KeyStep>& rgSteps);
}  // namespace keyboardtest
