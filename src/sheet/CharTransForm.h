#pragma once

#include <string>
#include <vector>

class KeyTranslatorMap;

// The rules of the "Character Translation" list: its lines, where its columns start, and the
// question before the default table comes back.
class CharTransForm
{
public:
  static const char kszDefaultQuestion[];

  static std::vector<std::string> lines(const KeyTranslatorMap& mapKeyTranslator);

  // The list's tab stops in dialog units, from the left edges of the twelve column headings and of
  // the list's text, in pixels of one scale, and the pixels of 100 horizontal dialog units.
  static std::vector<int> tabStops(const std::vector<int>& rgnHeadingLeft, int nListTextLeft, int nPixelsPer100Units);
};
