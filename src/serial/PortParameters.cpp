#include "PortParameters.h"

#include "base/Assert.h"

#include <climits>

namespace
{
char foldCase(char c)
{
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalsNoCase(const char* pszA, const char* pszB)
{
  while (*pszA && *pszB && foldCase(*pszA) == foldCase(*pszB))
  {
    ++pszA;
    ++pszB;
  }
  return *pszA == '\0' && *pszB == '\0';
}

// The leading number of a text the way the settings texts have always been read (blanks, an
// optional sign, digits; the rest ignored; no digits gives 0), but saturating instead of
// overflowing, so "298374928374" is simply a number that is no baud rate.
long long leadingNumber(const char* psz)
{
  while (*psz == ' ' || *psz == '\t')
    ++psz;
  bool fNegative = false;
  if (*psz == '+' || *psz == '-')
    fNegative = *psz++ == '-';
  long long nValue = 0;
  for (; *psz >= '0' && *psz <= '9'; ++psz)
  {
    if (nValue < LLONG_MAX / 10 - 10)
      nValue = nValue * 10 + (*psz - '0');
  }
  return fNegative ? -nValue : nValue;
}
}  // namespace

int ConvertPort(const char* pszPort)
{
  QB_ASSERT(NULL != pszPort);
  if (!(foldCase(pszPort[0]) == 'C' && foldCase(pszPort[1]) == 'O' && foldCase(pszPort[2]) == 'M'))
    return 0;
  long long nPort = leadingNumber(pszPort + 3);
  // A negative or absurd number names no serial port either; it must not become a device name.
  if (nPort <= 0 || nPort > INT_MAX)
    return 0;
  return static_cast<int>(nPort);
}

uint32_t ConvertSpeed(const char* pszBaudRate)
{
  QB_ASSERT(NULL != pszBaudRate);
  static const uint32_t krgdwRates[] = {110,   300,   600,   1200,  2400,  4800,
                                        9600,  19200, 38400, 57600, 115200};
  long long nRate = leadingNumber(pszBaudRate);
  for (uint32_t dwRate : krgdwRates)
    if (nRate == dwRate)
      return dwRate;
  return 9600;
}

uint8_t ConvertData(const char* pszDataBits)
{
  QB_ASSERT(NULL != pszDataBits);
  long long nBits = leadingNumber(pszDataBits);
  return nBits == 7 ? 7 : 8;
}

uint8_t ConvertParity(const char* pszParity)
{
  QB_ASSERT(NULL != pszParity);
  struct Name
  {
    const char* psz;
    uint8_t nParity;
  };
  static const Name krgNames[] = {
    {"Even", kParityEven}, {"Mark", kParityMark},   {"No parity", kParityNone},
    {"Odd", kParityOdd},   {"Space", kParitySpace},
  };
  for (const Name& name : krgNames)
    if (equalsNoCase(pszParity, name.psz))
      return name.nParity;
  return kParityNone;
}

uint8_t ConvertStop(const char* pszStopBits)
{
  QB_ASSERT(NULL != pszStopBits);
  return leadingNumber(pszStopBits) == 2 ? kStopBitsTwo : kStopBitsOne;
}

void checkPortConversions()
{
  QB_ASSERT(1 == ConvertPort("COM1"));
  QB_ASSERT(2 == ConvertPort("COM2"));
  QB_ASSERT(0 == ConvertPort("LPT1"));
  QB_ASSERT(3 == ConvertPort("com3"));

  static const char* const krgszRates[] = {"110",   "300",   "600",   "1200",  "2400",  "4800",
                                           "9600",  "19200", "38400", "57600", "115200"};
  for (const char* pszRate : krgszRates)
    QB_ASSERT(static_cast<uint32_t>(leadingNumber(pszRate)) == ConvertSpeed(pszRate));
  QB_ASSERT(9600 == ConvertSpeed("111"));
  QB_ASSERT(9600 == ConvertSpeed("298374928374"));
  QB_ASSERT(9600 == ConvertSpeed(""));

  QB_ASSERT(7 == ConvertData("7"));
  QB_ASSERT(8 == ConvertData("8"));
  QB_ASSERT(8 == ConvertData("6"));
  QB_ASSERT(8 == ConvertData("9"));
  QB_ASSERT(8 == ConvertData(""));

  QB_ASSERT(kParityEven == ConvertParity("Even"));
  QB_ASSERT(kParityEven == ConvertParity("EvEn"));
  QB_ASSERT(kParityMark == ConvertParity("Mark"));
  QB_ASSERT(kParityNone == ConvertParity("No parity"));
  QB_ASSERT(kParityOdd == ConvertParity("Odd"));
  QB_ASSERT(kParitySpace == ConvertParity("Space"));
  QB_ASSERT(kParityNone == ConvertParity("Illegal"));

  QB_ASSERT(kStopBitsOne == ConvertStop("1"));
  QB_ASSERT(kStopBitsTwo == ConvertStop("2"));
  QB_ASSERT(kStopBitsOne == ConvertStop("0"));
  QB_ASSERT(kStopBitsOne == ConvertStop("3"));
  QB_ASSERT(kStopBitsOne == ConvertStop(""));
}
