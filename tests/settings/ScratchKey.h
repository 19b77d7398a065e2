#pragma once

#include "base/Registry.h"

#include <string>

// A fresh, empty key "HKEY_LOCAL_MACHINE\Software\QuilbarTest\<name>" for one test, opened with
// full access and deleted with everything below it afterwards. Natively it lives in the in-memory
// hive, under Wine in the harness prefix's real registry.
class ScratchKey
{
public:
  explicit ScratchKey(const std::string& strName);
  ~ScratchKey();
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

  Registry& key() { return m_key; }
  const std::string& path() const { return m_strPath; }
  // "HKEY_LOCAL_MACHINE\Software\QuilbarTest\<name>"
  static std::string pathFor(const std::string& strName);

private:
  std::string m_strName;
  std::string m_strPath;
  Registry m_key;
};

// The current test's name, usable as a key name.
std::string currentTestKeyName();
