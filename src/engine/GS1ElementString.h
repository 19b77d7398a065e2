#pragma once

#include "EAN128.h"

#include <string>
#include <vector>

// One element of GS1 data as another form carries it: the printed AI ("01", "3103") and its value.
struct GS1Element
{
  std::string strAI;
  std::string strValue;
};

// The rules that turn elements taken from another form (brackets, a web address) into the raw
// element string that the GS1-128 parser reads.
class GS1ElementString
{
public:
  // The table row of a printed AI: the AI exactly, plus the decimal digit where the row has one.
  static const EAN128::AIDefinition* findPrintedAI(const std::string& strAI);

  // Checks the value against the AI's format, every length limit included; with fCheckDigits
  // also the check digit of the keys that carry one. False with the reason otherwise.
  static bool check(const GS1Element& element, bool fCheckDigits, std::string& strReason);

  // The elements one after the other, each ended by a group separator where GS1 needs one: behind
  // every element but the last whose length is not predefined.
  static std::string render(const std::vector<GS1Element>& rgElements);

  // GS1's modulo 10 check digit: true when the last digit of the digits is right.
  static bool hasValidCheckDigit(const std::string& strDigits);
};
