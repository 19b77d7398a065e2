#pragma once

#include "KeyEventSink.h"

// Injects key events into the system's input stream with the input-injection call, whose count
// of events taken is checked on every call.
class SystemKeyEventSink : public KeyEventSink
{
public:
  bool keyEvent(int nVirtualKey, int nScanCode, unsigned dwFlags) override;
  bool unicodeEvent(int nCode, unsigned dwFlags) override;
  void wait(int nMilliseconds) override;
};
