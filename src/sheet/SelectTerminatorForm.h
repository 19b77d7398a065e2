#pragma once

#include <string>
#include <vector>

// The rows of "Select Data String Terminator": one per byte value 1 to 255, the character (or its
// notation below 32), the value in decimal and in hexadecimal, separated by tabs.
class SelectTerminatorForm
{
public:
  static constexpr int krgnTabStops[2] = {50, 110};  // dialog units

  static std::vector<std::string> rows();
  // The row of a terminator that stands for exactly one byte; -1 for any other.
  static int rowOfTerminator(const std::string& strTerminator);
  // The terminator a row stands for, in the notation.
  static std::string terminatorOfRow(int nRow);
};
