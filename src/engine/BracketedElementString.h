#pragma once

#include "GS1ElementString.h"

#include <string>
#include <vector>

// The human-readable form of GS1 data: "(01)09501101530003(10)ABC123". A "(" opens an element only
// when a known AI and ")" follow it; "\(" is a "(" inside a value.
class BracketedElementString
{
public:
  // Whether the text begins like the bracketed form: "(", a known AI, ")".
  static bool looksBracketed(const std::string& strText);
  // Splits the text into its elements and checks each; false with the reason otherwise.
  static bool read(const std::string& strText, std::vector<GS1Element>& rgElements, std::string& strReason);
};
