#pragma once

#include "keyboard/CapsLockState.h"
#include "keyboard/ForegroundWindow.h"
#include "keyboard/KeyEventSink.h"
#include "keyboard/KeyStep.h"
#include "LayoutTables.h"

#include <functional>
#include <string>
#include <vector>

namespace keyboardtest
{
// Records every event and wait in order; an optional hook runs after each event so a test can
// change the world in the middle of typing. From the event numbered m_nRefuseFrom on (counted
// from 0), the system refuses the events: they are not recorded and the call reports it.
class RecordingKeyEventSink : public KeyEventSink
{
public:
  bool keyEvent(int nVirtualKey, int nScanCode, unsigned dwFlags) override
  {
    return take(KeyStep::key(nVirtualKey, nScanCode, dwFlags));
  }
  bool unicodeEvent(int nCode, unsigned dwFlags) override { return take(KeyStep::unicode(nCode, dwFlags)); }
  void wait(int nMilliseconds) override { m_rgSteps.push_back(KeyStep::wait(nMilliseconds)); }

  std::vector<KeyStep> m_rgSteps;
  std::function<void()> m_fnAfterEvent;
  int m_nRefuseFrom = -1;
  int m_nEventsOffered = 0;

private:
  bool take(const KeyStep& step)
  {
    bool fTaken = m_nRefuseFrom < 0 || m_nEventsOffered < m_nRefuseFrom;
    ++m_nEventsOffered;
    if (fTaken)
      m_rgSteps.push_back(step);
    if (m_fnAfterEvent)
      m_fnAfterEvent();
    return fTaken;
  }
};

// Any change of what it says about the window counts as another window in front.
class FakeForegroundWindow : public ForegroundWindow
{
public:
  uintptr_t windowId() const override
  {
    if (!m_fPresent)
      return 0;
    return std::hash<std::string>()(m_strTitle + "\n" + m_strClass + (m_fOwnMainWindow ? "o" : "") +
                                    (m_fElevated ? "e" : "") + m_keyboard.m_strName);
  }
  bool getTitle(std::string& strTitle) const override
  {
    ++m_nTitleReads;
    if (!m_fPresent)
      return false;
    strTitle = m_strTitle;
    return true;
  }
  bool getClassName(std::string& strClass) const override
  {
    if (!m_fPresent)
      return false;
    strClass = m_strClass;
    return true;
  }
  std::unique_ptr<TargetKeyboard> targetKeyboard() const override
  {
    return std::make_unique<TableKeyboard>(m_keyboard);
  }
  bool isOwnMainWindow() const override { return m_fOwnMainWindow; }
  bool isAboveOwnIntegrity() const override { return m_fElevated; }

  bool m_fPresent = true;
  std::string m_strTitle = "Untitled - Notepad";
  std::string m_strClass = "Notepad";
  TableKeyboard m_keyboard;
  mutable int m_nTitleReads = 0;
  bool m_fOwnMainWindow = false;
  bool m_fElevated = false;
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
