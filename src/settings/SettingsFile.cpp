#include "SettingsFile.h"

#include "QuilbarProfileStore.h"
#include "SettingsFileSchema.h"
#include "base/Registry.h"
#include "base/RegistryFile.h"
#include "base/RegistryTree.h"

#include <vector>

namespace
{
// Where a file's tree is read by the profile reader before anything reaches the real settings.
const char kszStagingRoot[] = "HKEY_QUILBAR_MEMORY\\Quilbar";
const char kszStagingName[] = "SettingsImport";

// The staging tree, removed again however the import ends.
class StagingTree
{
public:
  StagingTree()
  {
    remove();
    Registry root;
    Registry software;
    if (root.openKey(kszStagingRoot, Registry::kdwAccessAll))
      root.createSubKey(kszStagingName, software);
  }
  ~StagingTree() { remove(); }
  StagingTree(const StagingTree&) = delete;
  StagingTree& operator=(const StagingTree&) = delete;

  static std::string softwareKey() { return std::string(kszStagingRoot) + "\\" + kszStagingName; }

private:
  static void remove()
  {
    Registry root;
    if (root.openKey(kszStagingRoot, Registry::kdwAccessAll))
      root.deleteSubKey(kszStagingName);
  }
};

// The reader's messages name the key it read; the user knows the settings key, not the staging one.
std::string inRealTree(std::string strMessage, const std::string& strStaged, const std::string& strReal)
{
  for (size_t nPos = strMessage.find(strStaged); nPos != std::string::npos;
       nPos = strMessage.find(strStaged, nPos + strReal.size()))
    strMessage.replace(nPos, strStaged.size(), strReal);
  return strMessage;
}

bool restore(const std::vector<RegistryFileKey>& rgBefore, bool fHadSettings, const std::string& strPath)
{
  if (fHadSettings)
    return RegistryTree::writeOver(rgBefore, strPath, strPath);
  size_t nSlash = strPath.rfind('\\');
  Registry parent;
  return parent.openKey(strPath.substr(0, nSlash), Registry::kdwAccessAll)
         && parent.deleteSubKey(strPath.substr(nSlash + 1));
}
}  // namespace

bool SettingsFile::exportSettings(const QuilbarProfileStore& store, std::string& strBytes, std::string& strError)
{
  std::vector<RegistryFileKey> rgKeys;
  if (!RegistryTree::read(store.getSettingsKeyPath(), rgKeys))
  {
    strError = "the settings in " + store.getSettingsKeyPath() + " cannot be read";
    return false;
  }
  strBytes = RegistryFile::write(rgKeys);
  return true;
}

// The file's profiles read by the program's own reader into the staged store, through a tree in
// memory; nothing reaches the registry.
bool SettingsFile::readStaged(const std::string& strBytes, const std::string& strPath, QuilbarProfileStore& staged,
                              std::string& strError)
{
  std::vector<RegistryFileKey> rgFileKeys;
  std::vector<RegistryFileKey> rgSettingsKeys;
  if (!RegistryFile::parse(strBytes, rgFileKeys, strError)
      || !SettingsFileSchema::check(rgFileKeys, strPath, rgSettingsKeys, strError))
    return false;
  StagingTree staging;
  if (!staged.ensureSettingsKeys() || !RegistryTree::writeOver(rgSettingsKeys, strPath, staged.getSettingsKeyPath()))
  {
    strError = "a key or value of the file cannot be held in the registry";
    return false;
  }
  if (!staged.loadSettings(strError))
  {
    strError = inRealTree(strError, staged.getSettingsKeyPath(), strPath);
    return false;
  }
  return true;
}

bool SettingsFile::checkSettings(const std::string& strBytes, const std::string& strSettingsPath, std::string& strError)
{
  QuilbarProfileStore staged(stagingSoftwareKey());
  return readStaged(strBytes, strSettingsPath, staged, strError);
}

bool SettingsFile::importSettings(const std::string& strBytes, QuilbarProfileStore& store, std::string& strError)
{
  const std::string& strPath = store.getSettingsKeyPath();
  QuilbarProfileStore staged(stagingSoftwareKey());
  if (!readStaged(strBytes, strPath, staged, strError))
    return false;

  // The settings as they are, to put back should the save fail part-way.
  std::vector<RegistryFileKey> rgBefore;
  Registry existing;
  bool fHadSettings = existing.openKey(strPath, Registry::kdwAccessRead);
  existing.closeKey();
  if (fHadSettings && !RegistryTree::read(strPath, rgBefore))
  {
    strError = "the settings in " + strPath + " cannot be read, so they could not be put back after a failure";
    return false;
  }
  store.takeSettingsFrom(staged);
  if (store.saveSettings())
    return true;
  strError = "the settings cannot be written to " + strPath + " (this needs administrator rights)";
  if (!restore(rgBefore, fHadSettings, strPath))
    strError += "; the settings as they were could not be put back either";
  return false;
}

std::string SettingsFile::stagingSoftwareKey()
{
  return StagingTree::softwareKey();
}
