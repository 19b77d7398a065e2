#include "KeyStep.h"

#include <cstdio>

KeyStep KeyStep::key(int nVirtualKey, int nScanCode, unsigned dwFlags)
{
  KeyStep step;
  step.kind = Kind::Key;
  step.nVirtualKey = nVirtualKey;
  step.nScanCode = nScanCode;
  step.dwFlags = dwFlags;
  return step;
}

KeyStep KeyStep::unicode(int nCode, unsigned dwFlags)
{
  KeyStep step;
  step.kind = Kind::Unicode;
  step.nScanCode = nCode;
  step.dwFlags = kdwKeyUnicode | dwFlags;
  return step;
}

KeyStep KeyStep::wait(int nMilliseconds)
{
  KeyStep step;
  step.kind = Kind::Wait;
  step.nMilliseconds = nMilliseconds;
  return step;
}

bool KeyStep::operator==(const KeyStep& other) const
{
  return kind == other.kind && nVirtualKey == other.nVirtualKey && nScanCode == other.nScanCode &&
         dwFlags == other.dwFlags && nMilliseconds == other.nMilliseconds;
}

std::string KeyStep::describe() const
{
  char szText[64];
  switch (kind)
  {
  case Kind::Key:
    std::snprintf(szText, sizeof szText, "key 0x%02x/0x%02x%s%s", nVirtualKey, nScanCode,
                  (dwFlags & kdwKeyExtended) ? " ext" : "", (dwFlags & kdwKeyUp) ? " up" : " down");
    break;
  case Kind::Unicode:
    std::snprintf(szText, sizeof szText, "unicode 0x%04x%s", nScanCode, (dwFlags & kdwKeyUp) ? " up" : " down");
    break;
  case Kind::Wait:
    std::snprintf(szText, sizeof szText, "wait %d", nMilliseconds);
    break;
  }
  return szText;
}
