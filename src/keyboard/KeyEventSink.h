#pragma once

// Where keystroke emission sends its events. The Windows layer injects them into the system's
// input stream; tests record them.
class KeyEventSink
{
public:
  virtual ~KeyEventSink() = default;

  // A key press or release: virtual-key code, set-1 scan code, kdwKeyExtended | kdwKeyUp.
  virtual void keyEvent(int nVirtualKey, int nScanCode, unsigned dwFlags) = 0;
  // One Unicode character event (key-down only).
  virtual void unicodeEvent(int nCode) = 0;
  // Suspends the typing thread; 0 still yields, so the receiver can keep up.
  virtual void wait(int nMilliseconds) = 0;
};
