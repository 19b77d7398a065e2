#pragma once

#include <string>

class CriteriaMap;
class DataEditFormatMap;
class KeyTranslatorMap;
class ReplacementMap;
class QuilbarProfile;

// Readable renderings of whole records, one field a line, in a fixed order: two records are equal
// in every value and owned record when their dumps are, and a failing comparison shows the line.
std::string dumpCriteriaMap(const CriteriaMap& map);
std::string dumpFormats(const DataEditFormatMap& map);
std::string dumpReplacements(const ReplacementMap& map);
std::string dumpKeyTranslators(const KeyTranslatorMap& map);
std::string dumpProfile(const QuilbarProfile& profile);
