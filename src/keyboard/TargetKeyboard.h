#pragma once

// A key of a keyboard layout and the modifiers that make it produce a character. Ctrl and Alt
// together stand for AltGr.
struct LayoutKey
{
  int nVirtualKey = 0;
  int nScanCode = 0;
  bool fShift = false;
  bool fControl = false;
  bool fAlt = false;
};

// The keyboard as the window in front sees it: the keys of its thread's layout, and which other
// kinds of events it takes. The Windows layer asks the system; tests use layout tables.
class TargetKeyboard
{
public:
  virtual ~TargetKeyboard() = default;

  // The key that types the UTF-16 code unit without a dead key; false when the layout has none.
  virtual bool keyOf(unsigned nCode, LayoutKey& key) const = 0;
  // The scan code of a virtual key in this layout (0 when it has none).
  virtual int scanCodeOf(int nVirtualKey) const = 0;
  // Whether the window takes Unicode character events, and Alt+numpad codes.
  virtual bool takesUnicode() const = 0;
  virtual bool takesAltNumpad() const = 0;
};
