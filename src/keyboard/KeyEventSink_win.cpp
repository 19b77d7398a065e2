#include "KeyEventSink_win.h"

#include "KeyStep.h"

#include <windows.h>

static_assert(kdwKeyExtended == KEYEVENTF_EXTENDEDKEY, "extended-key flag");
static_assert(kdwKeyUp == KEYEVENTF_KEYUP, "key-up flag");
static_assert(kdwKeyUnicode == KEYEVENTF_UNICODE, "Unicode flag");

namespace
{
// The system answers with the number of events it inserted. Fewer than given means input is
// blocked (another desktop is active, or a program blocks input): the caller stops typing and
// says so, rather than losing characters unseen.
bool inject(INPUT& input)
{
  return SendInput(1, &input, sizeof input) == 1;
}
}  // namespace

// The same event the legacy key event call makes, through the call that reports its result.
bool SystemKeyEventSink::keyEvent(int nVirtualKey, int nScanCode, unsigned dwFlags)
{
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(static_cast<BYTE>(nVirtualKey));
  input.ki.wScan = static_cast<WORD>(static_cast<BYTE>(nScanCode));
  input.ki.dwFlags = dwFlags;
  return inject(input);
}

bool SystemKeyEventSink::unicodeEvent(int nCode, unsigned dwFlags)
{
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = 0;
  input.ki.wScan = static_cast<WORD>(nCode);
  input.ki.dwFlags = KEYEVENTF_UNICODE | (dwFlags & KEYEVENTF_KEYUP);
  return inject(input);
}

void SystemKeyEventSink::wait(int nMilliseconds)
{
  Sleep(static_cast<DWORD>(nMilliseconds));
}
