#pragma once

#include <cstdint>

// Code page 1252, the program's character set, against UTF-16 code units, as the system converts
// them: the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the
// control characters of the same number, so every byte has exactly one code unit and back.
namespace cp1252
{
char16_t toUnicode(unsigned char by);
// False for a code unit the code page cannot hold.
bool fromUnicode(char16_t ch, unsigned char& by);
}  // namespace cp1252
