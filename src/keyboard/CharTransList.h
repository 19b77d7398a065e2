#pragma once

#include "KeyTranslatorMap.h"

#include <string>
#include <vector>

// The lines of the character translation list: one tab-separated line per character code, marked
// "*" where the entry differs from the built-in default.
namespace CharTransList
{
std::string formatLine(const KeyTranslator& entry, const KeyTranslator& defaultEntry);
std::vector<std::string> buildLines(const KeyTranslatorMap& mapKeyTranslator);
}  // namespace CharTransList
