#pragma once

#include <string>

class QuilbarProfileStore;

// The whole settings tree as a registry file, for moving the settings of one configured computer
// to many. An export is what "reg export" writes of the settings key. An import takes only what
// the program keeps there, checks every profile with the program's own reader and then replaces
// the settings as a whole with the store's save: afterwards the store holds exactly the file's
// profiles, or, on any failure, the settings are as they were.
class SettingsFile
{
public:
  // The file's bytes for the store's settings key; false with a one-line reason.
  static bool exportSettings(const QuilbarProfileStore& store, std::string& strBytes, std::string& strError);
  // Replaces the store's settings (and the tree it saves to) by the file's; false with a
  // one-line reason, leaving the registry as it was.
  static bool importSettings(const std::string& strBytes, QuilbarProfileStore& store, std::string& strError);
  // Whether an import into strSettingsPath would take the file: every check of importSettings,
  // nothing written. The installer asks this before it changes anything.
  static bool checkSettings(const std::string& strBytes, const std::string& strSettingsPath, std::string& strError);

private:
  static bool readStaged(const std::string& strBytes, const std::string& strPath, QuilbarProfileStore& staged,
                         std::string& strError);
  static std::string stagingSoftwareKey();
};
