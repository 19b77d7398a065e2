#pragma once

#include <string>

// Flags of a key event, as the platform's legacy key event call takes them.
constexpr unsigned kdwKeyExtended = 1;
constexpr unsigned kdwKeyUp = 2;
constexpr unsigned kdwKeyUnicode = 4;

// One thing keystroke emission does: a key event, a Unicode character event or a wait.
struct KeyStep
{
  enum class Kind
  {
    Key,
    Unicode,
    Wait
  };

  Kind kind = Kind::Wait;
  int nVirtualKey = 0;
  int nScanCode = 0;  // for a Unicode event: the character code
  unsigned dwFlags = 0;  // a Unicode event carries kdwKeyUnicode, and kdwKeyUp for its release
  int nMilliseconds = 0;

  static KeyStep key(int nVirtualKey, int nScanCode, unsigned dwFlags);
  static KeyStep unicode(int nCode, unsigned dwFlags = 0);
  static KeyStep wait(int nMilliseconds);

  bool operator==(const KeyStep& other) const;
  bool operator!=(const KeyStep& other) const { return !(*this == other); }

  // Readable form for test failures and traces, e.g. "key 0x10/0x2a up".
  std::string describe() const;
};
