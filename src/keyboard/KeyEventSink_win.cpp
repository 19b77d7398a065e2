#include "KeyEventSink_win.h"

#include "KeyStep.h"

#include <windows.h>

static_assert(kdwKeyExtended == KEYEVENTF_EXTENDEDKEY, "extended-key flag");
static_assert(kdwKeyUp == KEYEVENTF_KEYUP, "key-up flag");
static_assert(kdwKeyUnicode == KEYEVENTF_UNICODE, "Unicode flag");

// A refused event is simply lost: there is nobody to tell in the middle of typing.
void SystemKeyEventSink::keyEvent(int nVirtualKey, int nScanCode, unsigned dwFlags)
{
  keybd_event(static_cast<BYTE>(nVirtualKey), static_cast<BYTE>(nScanCode), dwFlags, 0);
}

void SystemKeyEventSink::unicodeEvent(int nCode)
{
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = 0;
  input.ki.wScan = static_cast<WORD>(nCode);
  input.ki.dwFlags = KEYEVENTF_UNICODE;
  input.ki.time = 0;
  input.ki.dwExtraInfo = 0;
  SendInput(1, &input, sizeof input);
}

void SystemKeyEventSink::wait(int nMilliseconds)
{
  Sleep(static_cast<DWORD>(nMilliseconds));
}
