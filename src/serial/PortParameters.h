#pragma once

#include <cstdint>

// Line parameters from the settings pages' texts. The numeric results are the values of the
// platform's own constants (baud rates, NOPARITY..SPACEPARITY, ONESTOPBIT/TWOSTOPBITS), so the
// Windows layer stores them as they are.
enum : uint8_t
{
  kParityNone = 0,
  kParityOdd = 1,
  kParityEven = 2,
  kParityMark = 3,
  kParitySpace = 4,
};

enum : uint8_t
{
  kStopBitsOne = 0,
  kStopBitsTwo = 2,
};

// The COM number of a port name ("COM7" gives 7), 0 when the name is no serial port.
int ConvertPort(const char* pszPort);
uint32_t ConvertSpeed(const char* pszBaudRate);
uint8_t ConvertData(const char* pszDataBits);
uint8_t ConvertParity(const char* pszParity);
uint8_t ConvertStop(const char* pszStopBits);

// Start-up self-test: ends the process through the assertion convention when a conversion gives
// a result other than the fixed cases.
void checkPortConversions();
