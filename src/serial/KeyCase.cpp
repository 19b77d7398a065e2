#include "KeyCase.h"

#include "SerialSettings.h"

namespace
{
// Windows-1252: a-z, the Latin-1 letters 0xE0-0xFE (without the division sign 0xF7), and the
// four pairs outside those ranges (S/Z caron, OE ligature, Y diaeresis).
unsigned char toUpper(unsigned char c)
{
  if (c >= 'a' && c <= 'z')
    return static_cast<unsigned char>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
    return static_cast<unsigned char>(c - 0x20);
  switch (c)
  {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return c;
  }
}

unsigned char toLower(unsigned char c)
{
  if (c >= 'A' && c <= 'Z')
    return static_cast<unsigned char>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
    return static_cast<unsigned char>(c + 0x20);
  switch (c)
  {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
  }
}
}  // namespace

void applyKeyCase(char* pBytes, size_t nBytes, uint32_t dwKeyCase)
{
  if (dwKeyCase != kKeyCaseUpper && dwKeyCase != kKeyCaseLower)
    return;
  // Every byte is converted, also those after a zero byte in the same read.
  for (size_t i = 0; i < nBytes; ++i)
  {
    unsigned char c = static_cast<unsigned char>(pBytes[i]);
    pBytes[i] = static_cast<char>(dwKeyCase == kKeyCaseUpper ? toUpper(c) : toLower(c));
  }
}

void applyKeyCase(std::string& strBytes, uint32_t dwKeyCase)
{
  if (!strBytes.empty())
    applyKeyCase(&strBytes[0], strBytes.size(), dwKeyCase);
}
