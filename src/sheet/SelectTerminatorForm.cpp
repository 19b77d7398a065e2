#include "SelectTerminatorForm.h"

#include "base/Assert.h"
#include "base/DataConv.h"

#include <cstdio>

constexpr int SelectTerminatorForm::krgnTabStops[2];

namespace
{
constexpr int kcRows = 255;  // byte values 1 to 255; row i holds value i + 1
}

std::vector<std::string> SelectTerminatorForm::rows()
{
  std::vector<std::string> rgstrRows;
  for (int nValue = 1; nValue <= kcRows; ++nValue)
  {
    std::string strCharacter = nValue < 32 ? DataConv::mnemonic(nValue) : std::string(1, static_cast<char>(nValue));
    char szRow[64];
    std::snprintf(szRow, sizeof szRow, "%s\t%d\t0x%02x", strCharacter.c_str(), nValue, nValue);
    rgstrRows.push_back(szRow);
  }
  return rgstrRows;
}

// The terminator is read as the notation: "<cr>" and "\x0D" are one byte, "<CR><LF>" two.
int SelectTerminatorForm::rowOfTerminator(const std::string& strTerminator)
{
  std::string strBytes;
  if (!DataConv::parse(strTerminator, strBytes) || strBytes.size() != 1 || strBytes[0] == '\0')
    return -1;
  return static_cast<unsigned char>(strBytes[0]) - 1;
}

std::string SelectTerminatorForm::terminatorOfRow(int nRow)
{
  QB_ASSERT(nRow >= 0 && nRow < kcRows);
  return DataConv::render(std::string(1, static_cast<char>(nRow + 1)));
}
