#include "LayoutTables.h"

namespace keyboardtest
{
namespace
{
enum Modifiers
{
  kNone = 0,
  kShift = 1,
  kAltGr = 6,
};

struct Row
{
  unsigned nCode;
  int nVirtualKey;
  int nScanCode;
  int nModifiers;
};

TableKeyboard tableOf(const char* pszName, std::initializer_list<Row> rows)
{
  TableKeyboard keyboard;
  keyboard.m_strName = pszName;
  for (const Row& row : rows)
  {
    LayoutKey key;
    key.nVirtualKey = row.nVirtualKey;
    key.nScanCode = row.nScanCode;
    key.fShift = (row.nModifiers & kShift) != 0;
    key.fControl = key.fAlt = (row.nModifiers & kAltGr) == kAltGr;
    keyboard.m_keys[row.nCode] = key;
  }
  return keyboard;
}
}  // namespace

TableKeyboard usLayout()
{
  return tableOf("US", {{'C', 'C', 0x2E, kShift}, {'a', 'A', 0x1E, kNone},  {'f', 'F', 0x21, kNone},
                        {'x', 'X', 0x2D, kNone},  {'d', 'D', 0x20, kNone},  {'e', 'E', 0x12, kNone},
                        {'y', 'Y', 0x15, kNone},  {'z', 'Z', 0x2C, kNone},  {'1', '1', 0x02, kNone},
                        {'2', '2', 0x03, kNone},  {'3', '3', 0x04, kNone},  {'-', 0xBD, 0x0C, kNone},
                        {'/', 0xBF, 0x35, kNone}, {'@', '2', 0x03, kShift}, {'.', 0xBE, 0x34, kNone},
                        {']', 0xDD, 0x1B, kNone}, {'\\', 0xDC, 0x2B, kNone}, {'6', '6', 0x07, kNone}});
}

// QWERTZ: Y and Z change places, "/" is Shift+7, "@" AltGr+Q; "é" is only a dead key and "e".
TableKeyboard germanLayout()
{
  return tableOf("German", {{'C', 'C', 0x2E, kShift}, {'a', 'A', 0x1E, kNone}, {'f', 'F', 0x21, kNone},
                            {'x', 'X', 0x2D, kNone},  {'d', 'D', 0x20, kNone}, {'e', 'E', 0x12, kNone},
                            {'y', 'Y', 0x2C, kNone},  {'z', 'Z', 0x15, kNone}, {'1', '1', 0x02, kNone},
                            {'2', '2', 0x03, kNone},  {'3', '3', 0x04, kNone}, {'-', 0xBD, 0x35, kNone},
                            {'/', '7', 0x08, kShift}, {'@', 'Q', 0x10, kAltGr}, {'.', 0xBE, 0x34, kNone},
                            {0xDF, 0xDB, 0x0C, kNone}, {0xE4, 0xDE, 0x28, kNone}});
}

// AZERTY: digits need Shift, "é" and "-" are the unshifted 2 and 6, "@" is AltGr+0.
TableKeyboard frenchLayout()
{
  return tableOf("French", {{'C', 'C', 0x2E, kShift}, {'a', 'A', 0x10, kNone},    {'f', 'F', 0x21, kNone},
                            {'x', 'X', 0x2D, kNone},  {'d', 'D', 0x20, kNone},    {'e', 'E', 0x12, kNone},
                            {'1', '1', 0x02, kShift}, {'2', '2', 0x03, kShift},   {'3', '3', 0x04, kShift},
                            {0xE9, '2', 0x03, kNone}, {'-', '6', 0x07, kNone},    {'/', 0xBF, 0x34, kShift},
                            {'@', '0', 0x0B, kAltGr}, {'.', 0xBE, 0x33, kShift}});
}
}  // namespace keyboardtest
