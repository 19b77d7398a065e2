#pragma once

// Where keystroke emission sends its events. The Windows layer injects them into the system's
// input stream; tests record them.
class KeyEventSink
{
public:
  virtual ~KeyEventSink() = default;

  // A key press or release: virtual-key code, set-1 scan code, kdwKeyExtended | kdwKeyUp. False
  // when the system did not take the event into its input stream.
  virtual bool keyEvent(int nVirtualKey, int nScanCode, unsigned dwFlags) = 0;
  // A Unicode character's press or release (dwFlags kdwKeyUp or 0); false as for keyEvent.
  virtual bool unicodeEvent(int nCode, unsigned dwFlags) = 0;
  // Suspends the typing thread; 0 still yields, so the receiver can keep up.
  virtual void wait(int nMilliseconds) = 0;
};
