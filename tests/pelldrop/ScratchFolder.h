#pragma once

#include <string>
#include <vector>

// A folder of its own for one test, under the system's temporary folder, removed with everything
// in it when the test ends.
class ScratchFolder
{
public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder's path ending with the system's separator, ready for file names.
  std::string folder() const { return m_strFolder; }
  std::string path(const std::string& strName) const { return m_strFolder + strName; }

  void writeFile(const std::string& strName, const std::string& strContents) const;
  // Takes the write permission away (the read-only attribute under Windows).
  void makeReadOnly(const std::string& strName) const;
  std::string readFile(const std::string& strName) const;
  bool exists(const std::string& strName) const;
  // The names of the files in the folder, sorted.
  std::vector<std::string> fileNames() const;

private:
  std::string m_strFolder;
};
