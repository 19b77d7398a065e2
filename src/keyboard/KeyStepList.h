#pragma once

#include "KeyStep.h"

#include <vector>

// Collects the steps of one byte, each event followed by the delay's wait; in describe-only mode
// it collects nothing, so describing and typing share one path and cannot drift apart.
class KeyStepList
{
public:
  KeyStepList(int nDelay, bool fDescribeOnly) : m_nDelay(nDelay), m_fDescribeOnly(fDescribeOnly) {}

  void keyDown(int nVirtualKey, int nScanCode, unsigned dwFlags = 0) { add(KeyStep::key(nVirtualKey, nScanCode, dwFlags)); }
  void keyUp(int nVirtualKey, int nScanCode, unsigned dwFlags = 0)
  {
    add(KeyStep::key(nVirtualKey, nScanCode, dwFlags | kdwKeyUp));
  }
  // Pressed and released: a lone press is what makes remote sessions and some terminals merge
  // identical characters in a row, or repeat one as if the key were held.
  void unicode(int nCode)
  {
    add(KeyStep::unicode(nCode));
    add(KeyStep::unicode(nCode, kdwKeyUp));
  }
  std::vector<KeyStep>& steps() { return m_rgSteps; }

private:
  void add(const KeyStep& step)
  {
    if (m_fDescribeOnly)
      return;
    m_rgSteps.push_back(step);
    m_rgSteps.push_back(KeyStep::wait(m_nDelay));
  }

  int m_nDelay;
  bool m_fDescribeOnly;
  std::vector<KeyStep> m_rgSteps;
};
