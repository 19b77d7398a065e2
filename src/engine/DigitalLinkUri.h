#pragma once

#include "GS1ElementString.h"

#include <string>
#include <vector>

// A GS1 Digital Link web address, such as https://id.gs1.org/01/09501101530003/10/ABC123?17=261231:
// any scheme case, any host and path before the primary key, the key's qualifiers in the path in
// the order GS1 gives for that key, data attributes in the query, percent-encoding throughout.
class DigitalLinkUri
{
public:
  // Whether the text is a web address at all ("http://" or "https://", any letter case).
  static bool looksLikeUri(const std::string& strText);
  // The elements the address carries, primary key first, each checked (key check digits too).
  // False with the reason when it is not a valid, uncompressed GS1 Digital Link.
  static bool read(const std::string& strUri, std::vector<GS1Element>& rgElements, std::string& strReason);
};
