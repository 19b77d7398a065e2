#pragma once

#include "RegistryFile.h"

#include <string>
#include <vector>

// A registry key with everything below it, as the keys of a registry file: read for an export or
// a snapshot, and written back as a whole.
class RegistryTree
{
public:
  // The key, its values in the registry's order, then its sub-keys, depth first. False when any
  // key or value cannot be read.
  static bool read(const std::string& strPath, std::vector<RegistryFileKey>& rgKeys);
  // Makes strToPath hold exactly the keys given, whose paths lie at or below strFromPath: each
  // value written over the old one, and only then whatever else the key held removed, so that a
  // failure part-way leaves the old tree's keys in place. False at the first failure.
  static bool writeOver(const std::vector<RegistryFileKey>& rgKeys, const std::string& strFromPath,
                        const std::string& strToPath);
  // True when strPath is strBase or lies below it (letter case ignored); strRelative is the part
  // after strBase ("" for strBase itself).
  static bool isBelow(const std::string& strPath, const std::string& strBase, std::string& strRelative);
};
