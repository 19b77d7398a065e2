#pragma once

#include <string>

// The symbology identifier a scanner may put in front of its data (ISO/IEC 15424): "]", a code
// letter and a modifier digit, such as "]C1" for GS1-128 or "]Q1" for a plain QR Code.
class SymbologyIdentifier
{
public:
  // The identifier the text begins with, or an empty text when it begins with none.
  static std::string leading(const std::string& strText);
  // Whether the identifier says that the data after it is a GS1 element string.
  static bool isGS1(const std::string& strIdentifier);
};
