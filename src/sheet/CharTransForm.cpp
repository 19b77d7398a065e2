#include "CharTransForm.h"

#include "base/Assert.h"
#include "keyboard/CharTransList.h"

const char CharTransForm::kszDefaultQuestion[] =
    "Are you sure you want to revert to the default character translation table? (All customizations will be lost.)";

std::vector<std::string> CharTransForm::lines(const KeyTranslatorMap& mapKeyTranslator)
{
  return CharTransList::buildLines(mapKeyTranslator);
}

// The change marker sits left of the "Character" heading; every other column starts under its
// heading. Rounded to the nearest unit, never before the previous stop.
std::vector<int> CharTransForm::tabStops(const std::vector<int>& rgnHeadingLeft, int nListTextLeft,
                                         int nPixelsPer100Units)
{
  QB_ASSERT(nPixelsPer100Units > 0);
  std::vector<int> rgnStops;
  int nPrevious = 0;
  for (int nLeft : rgnHeadingLeft)
  {
    int nPixels = nLeft - nListTextLeft;
    int nUnits = nPixels <= 0 ? 0 : (nPixels * 100 + nPixelsPer100Units / 2) / nPixelsPer100Units;
    if (nUnits <= nPrevious)
      nUnits = nPrevious + 1;
    rgnStops.push_back(nUnits);
    nPrevious = nUnits;
  }
  return rgnStops;
}
