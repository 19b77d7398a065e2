#include "RawInputLine.h"

namespace
{
const size_t kcchTimeStamp = 24;  // "2007-03-01 14:05:09.042 "
const char kszRawInputPrefix[] = "RAW INPUT DATA: ";

int hexValue(char c)
{
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}
}  // namespace

std::string formatRawInput(const std::string& strBytes)
{
  static const char krgchHex[] = "0123456789abcdef";
  std::string strLine;
  strLine.reserve(strBytes.size() * 3);
  for (size_t i = 0; i < strBytes.size(); ++i)
  {
    unsigned char c = static_cast<unsigned char>(strBytes[i]);
    if (i > 0)
      strLine += ' ';
    strLine += krgchHex[c >> 4];
    strLine += krgchHex[c & 0x0F];
  }
  return strLine;
}

bool parseReplayLine(const std::string& strLine, std::string& strBytes)
{
  strBytes.clear();
  if (strLine.size() < kcchTimeStamp)
    return false;
  const size_t nPrefix = sizeof kszRawInputPrefix - 1;
  if (strLine.compare(kcchTimeStamp, nPrefix, kszRawInputPrefix) != 0)
    return false;
  std::string strParsed;
  size_t nPos = kcchTimeStamp + nPrefix;
  while (nPos < strLine.size())
  {
    if (strLine[nPos] == ' ')
    {
      ++nPos;
      continue;
    }
    size_t nEnd = strLine.find(' ', nPos);
    if (nEnd == std::string::npos)
      nEnd = strLine.size();
    size_t nDigits = nEnd - nPos;
    int nHigh = nDigits == 2 ? hexValue(strLine[nPos]) : 0;
    int nLow = hexValue(strLine[nEnd - 1]);
    if (nDigits == 0 || nDigits > 2 || nHigh < 0 || nLow < 0)
      return false;
    strParsed += static_cast<char>(nHigh * 16 + nLow);
    nPos = nEnd;
  }
  strBytes = std::move(strParsed);
  return !strBytes.empty();
}
