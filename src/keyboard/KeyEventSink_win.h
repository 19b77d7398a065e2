#pragma once

#include "KeyEventSink.h"

// Injects key events into the system's input stream: the legacy key event call for keys, the
// input-injection call for Unicode characters.
class SystemKeyEventSink : public KeyEventSink
{
public:
  void keyEvent(int nVirtualKey, int nScanCode, unsigned dwFlags) override;
  void unicodeEvent(int nCode) override;
  void wait(int nMilliseconds) override;
};
