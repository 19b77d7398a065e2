#pragma once

#include <string>

// The fixed tables behind the key translator map and keystroke emission: the built-in default
// recipes, the virtual-key to scan code table and the key names shown in reports and lists.
namespace KeyTables
{
// One stored recipe: key code, scan code (informative only) and flag bits (bit 0 Valid ...).
struct ASCII2KeyCode
{
  unsigned char byKeyCode;
  unsigned char byScanCode;
  unsigned char byFlags;
};

constexpr int kcbASCII2KeyCode = 3;
constexpr int kcEntries = 256;
constexpr int kcbStoredMap = kcEntries * kcbASCII2KeyCode;

// Flag byte of a Unicode entry: all seven flags.
constexpr unsigned char kbyUnicodeFlags = 0x7F;

// The built-in recipe of a character code 0..255.
ASCII2KeyCode defaultRecord(int nCode);

// Set-1 scan code of a virtual-key code 0..255; 0 for codes without one or outside the range.
int scanCode(int nVirtualKey);

// Name of a scan code from the plain or the extended table; "(Unknown)" for an empty entry, no
// name at all (empty text) for a code outside 0..255.
std::string keyName(int nScanCode, bool fExtended);
}  // namespace KeyTables
