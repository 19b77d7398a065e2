#include "KeyTables.h"

#include <array>

namespace KeyTables
{
namespace
{
constexpr unsigned char kbyValid = 0x01;
constexpr unsigned char kbyCapsDependent = 0x02;
constexpr unsigned char kbyShift = 0x10;
constexpr unsigned char kbyExtended = 0x40;

// A run of character codes whose key codes run in step from nFirstKeyCode.
struct DefaultRun
{
  int nFirstCode;
  int nLastCode;
  int nFirstKeyCode;
  unsigned char byFlags;
};

// Codes 0x80..0xBC address the navigation, editing, Windows, keypad and function keys; the six
// codes from 0xC4 are the Nordic letters of Windows-1252 on a Nordic layout, following caps lock.
// Codes missing here have no recipe (not valid).
const DefaultRun krgDefaultRuns[] = {
    {0x01, 0x04, 0x01, kbyValid},
    {0x08, 0x09, 0x08, kbyValid},
    {0x0C, 0x0D, 0x0C, kbyValid},
    {0x10, 0x14, 0x10, 0},
    {0x1B, 0x1B, 0x1B, kbyValid},
    {0x1D, 0x1D, 0x36, kbyValid | kbyShift},
    {0x20, 0x7E, 0x20, kbyUnicodeFlags},
    {0x7F, 0x7F, 0x2E, kbyValid | kbyExtended},
    {0x80, 0x87, 0x21, kbyValid | kbyExtended},
    {0x88, 0x8A, 0x29, kbyValid},
    {0x8B, 0x8D, 0x2C, kbyValid | kbyExtended},
    {0x8E, 0x8E, 0x2F, kbyValid},
    {0x8F, 0x91, 0x5B, kbyValid | kbyExtended},
    {0x92, 0x96, 0x60, kbyValid | kbyExtended},
    {0x97, 0x97, 0x65, kbyValid},
    {0x98, 0x9B, 0x66, kbyValid | kbyExtended},
    {0x9C, 0x9F, 0x6A, kbyValid},
    {0xA0, 0xA1, 0x6E, kbyValid | kbyExtended},
    {0xA2, 0xB9, 0x70, kbyValid},
    {0xBA, 0xBB, 0x90, kbyValid},
    {0xBC, 0xBC, 0x0D, kbyValid | kbyExtended},
    {0xC4, 0xC4, 0xDE, kbyValid | kbyCapsDependent | kbyShift},
    {0xC5, 0xC5, 0xDD, kbyValid | kbyCapsDependent | kbyShift},
    {0xD6, 0xD6, 0xC0, kbyValid | kbyCapsDependent | kbyShift},
    {0xE4, 0xE4, 0xDE, kbyValid | kbyCapsDependent},
    {0xE5, 0xE5, 0xDD, kbyValid | kbyCapsDependent},
    {0xF6, 0xF6, 0xC0, kbyValid | kbyCapsDependent},
};

// Virtual-key code and its set-1 scan code; the punctuation rows (0xBA..0xE2) are a Nordic keyboard's.
const unsigned char krgScanCodePairs[][2] = {
    {0x08, 0x0E}, {0x09, 0x0F}, {0x0D, 0x1C}, {0x10, 0x2A}, {0x11, 0x1D}, {0x12, 0x38}, {0x13, 0x45},
    {0x14, 0x3A}, {0x1B, 0x01}, {0x20, 0x39}, {0x21, 0x49}, {0x22, 0x51}, {0x23, 0x4F}, {0x24, 0x47},
    {0x25, 0x4B}, {0x26, 0x48}, {0x27, 0x4D}, {0x28, 0x50}, {0x2C, 0x37}, {0x2D, 0x52}, {0x2E, 0x53},
    {0x30, 0x0B}, {0x31, 0x02}, {0x32, 0x03}, {0x33, 0x04}, {0x34, 0x05}, {0x35, 0x06}, {0x36, 0x07},
    {0x37, 0x08}, {0x38, 0x09}, {0x39, 0x0A}, {0x41, 0x1E}, {0x42, 0x30}, {0x43, 0x2E}, {0x44, 0x20},
    {0x45, 0x12}, {0x46, 0x21}, {0x47, 0x22}, {0x48, 0x23}, {0x49, 0x17}, {0x4A, 0x24}, {0x4B, 0x25},
    {0x4C, 0x26}, {0x4D, 0x32}, {0x4E, 0x31}, {0x4F, 0x18}, {0x50, 0x19}, {0x51, 0x10}, {0x52, 0x13},
    {0x53, 0x1F}, {0x54, 0x14}, {0x55, 0x16}, {0x56, 0x2F}, {0x57, 0x11}, {0x58, 0x2D}, {0x59, 0x15},
    {0x5A, 0x2C}, {0x5B, 0x5B}, {0x5C, 0x5C}, {0x5D, 0x5D}, {0x60, 0x52}, {0x61, 0x4F}, {0x62, 0x50},
    {0x63, 0x51}, {0x64, 0x4B}, {0x65, 0x4C}, {0x66, 0x4D}, {0x67, 0x47}, {0x68, 0x48}, {0x69, 0x49},
    {0x6A, 0x37}, {0x6B, 0x4E}, {0x6D, 0x4A}, {0x6E, 0x53}, {0x6F, 0x35}, {0x70, 0x3B}, {0x71, 0x3C},
    {0x72, 0x3D}, {0x73, 0x3E}, {0x74, 0x3F}, {0x75, 0x40}, {0x76, 0x41}, {0x77, 0x42}, {0x78, 0x43},
    {0x79, 0x44}, {0x7A, 0x57}, {0x7B, 0x58}, {0x90, 0x45}, {0x91, 0x46}, {0xBA, 0x1B}, {0xBB, 0x0C},
    {0xBC, 0x33}, {0xBD, 0x35}, {0xBE, 0x34}, {0xBF, 0x2B}, {0xC0, 0x27}, {0xDB, 0x0D}, {0xDD, 0x1A},
    {0xDE, 0x28}, {0xE2, 0x56},
};

using NameTable = std::array<const char*, kcEntries>;

// Names from nFirstScanCode on, one per scan code.
void putNames(NameTable& rgNames, int nFirstScanCode, std::initializer_list<const char*> names)
{
  int nScanCode = nFirstScanCode;
  for (const char* pszName : names)
    rgNames[nScanCode++] = pszName;
}

// Rows shared by both tables: the main block of letters, digits and punctuation.
void putMainBlock(NameTable& rgNames)
{
  putNames(rgNames, 0x02, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "-", "="});
  putNames(rgNames, 0x10, {"Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P", "[", "]"});
  putNames(rgNames, 0x1E, {"A", "S", "D", "F", "G", "H", "J", "K", "L", ";", "'", "`"});
  putNames(rgNames, 0x2C, {"Z", "X", "C", "V", "B", "N", "M", ",", "."});
}

NameTable makePlainNames()
{
  NameTable rgNames{};
  putMainBlock(rgNames);
  putNames(rgNames, 0x01, {"Esc"});
  putNames(rgNames, 0x0E, {"Backspace", "Tab"});
  putNames(rgNames, 0x1C, {"Enter", "Ctrl"});
  putNames(rgNames, 0x2A, {"Shift", "\\"});
  putNames(rgNames, 0x35, {"/", "RightShift", "Num*", "Alt", "Space", "CapsLock", "F1", "F2", "F3", "F4", "F5",
                           "F6", "F7", "F8", "F9", "F10", "Pause", "ScrollLock", "Num7", "Num8", "Num9", "Num-",
                           "Num4", "Num5", "Num6", "Num+", "Num1", "Num2", "Num3", "Num0", "NumDel", "SysReq"});
  putNames(rgNames, 0x56, {"\\", "F11", "F12"});
  putNames(rgNames, 0x7C, {"F13", "F14", "F15", "F16", "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"});
  return rgNames;
}

NameTable makeExtendedNames()
{
  NameTable rgNames{};
  putMainBlock(rgNames);
  putNames(rgNames, 0x01, {"."});
  putNames(rgNames, 0x0E, {"."});
  putNames(rgNames, 0x1C, {"NumEnter", "RightControl"});
  putNames(rgNames, 0x2B, {"\\"});
  putNames(rgNames, 0x35, {"Num/"});
  putNames(rgNames, 0x37, {"PrintScrn", "RightAlt", " "});
  putNames(rgNames, 0x45, {"NumLock", "Break", "Home", "Up", "PageUp", "-", "Left"});
  putNames(rgNames, 0x4D, {"Right", "+", "End", "Down", "PageDown", "Insert", "Delete", "<00>"});
  putNames(rgNames, 0x56, {"Help"});
  putNames(rgNames, 0x5B, {"LeftWindows", "RightWindows", "Application"});
  return rgNames;
}

std::array<unsigned char, kcEntries> makeScanCodes()
{
  std::array<unsigned char, kcEntries> rgbyScanCodes{};
  for (const auto& pair : krgScanCodePairs)
    rgbyScanCodes[pair[0]] = pair[1];
  return rgbyScanCodes;
}
}  // namespace

ASCII2KeyCode defaultRecord(int nCode)
{
  for (const DefaultRun& run : krgDefaultRuns)
  {
    if (nCode >= run.nFirstCode && nCode <= run.nLastCode)
    {
      int nKeyCode = run.nFirstKeyCode + (nCode - run.nFirstCode);
      return {static_cast<unsigned char>(nKeyCode), static_cast<unsigned char>(scanCode(nKeyCode)), run.byFlags};
    }
  }
  return {0, 0, 0};
}

int scanCode(int nVirtualKey)
{
  static const std::array<unsigned char, kcEntries> krgbyScanCodes = makeScanCodes();
  if (nVirtualKey < 0 || nVirtualKey >= kcEntries)
    return 0;
  return krgbyScanCodes[nVirtualKey];
}

std::string keyName(int nScanCode, bool fExtended)
{
  static const NameTable krgPlain = makePlainNames();
  static const NameTable krgExtended = makeExtendedNames();
  if (nScanCode < 0 || nScanCode >= kcEntries)
    return std::string();
  const char* pszName = (fExtended ? krgExtended : krgPlain)[nScanCode];
  return pszName != nullptr ? pszName : "(Unknown)";
}
}  // namespace KeyTables
