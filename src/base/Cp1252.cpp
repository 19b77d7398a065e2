#include "Cp1252.h"

namespace cp1252
{
namespace
{
// 0x80 to 0x9F; the rest of the code page is Latin-1.
const char16_t krgHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}  // namespace

char16_t toUnicode(unsigned char by)
{
  if (by >= 0x80 && by <= 0x9F)
    return krgHighControls[by - 0x80];
  return by;
}

bool fromUnicode(char16_t ch, unsigned char& by)
{
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
  {
    by = static_cast<unsigned char>(ch);
    return true;
  }
  for (int i = 0; i < 32; ++i)
  {
    if (krgHighControls[i] == ch)
    {
      by = static_cast<unsigned char>(0x80 + i);
      return true;
    }
  }
  return false;
}
}  // namespace cp1252
