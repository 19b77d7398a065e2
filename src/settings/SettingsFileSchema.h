#pragma once

#include "base/RegistryFile.h"

#include <string>
#include <vector>

// What a settings file may hold: the settings key and the keys the program keeps below it (a
// profile key per profile, with its data edit formats, their criteria, its replacements and its
// typing rules),
// each value one the program reads there, with the type it reads it as and data it can hold.
// Whatever else a registry file can do (other keys, deletions, default values) is refused, so
// that importing a file can never write anywhere else.
class SettingsFileSchema
{
public:
  // The keys to write, those at or below strSettingsPath; false with a one-line reason naming the
  // file's line for the first key or value that is refused. The two keys above the settings key
  // are let through when they hold nothing, since exporting "...\Tarnwick\Quilbar2" writes them.
  static bool check(const std::vector<RegistryFileKey>& rgKeys, const std::string& strSettingsPath,
                    std::vector<RegistryFileKey>& rgSettingsKeys, std::string& strError);
};
