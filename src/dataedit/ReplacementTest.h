#pragma once

#include <string>

class ReplacementMap;

// The rules of "Test Input Data Replacements": the typed data string in the notation, the
// replacements applied to it, the count and the result in the notation.
class ReplacementTest
{
public:
  struct Result
  {
    bool fNotationError = false;  // show FormatTest::kszNotationMessage; nothing else changes
    int nReplacements = 0;
    std::string strCount;         // "Number of replacements:"
    std::string strDataOutput;    // "Data Output"
  };

  static Result run(const ReplacementMap& replacements, const std::string& strInput);
};
