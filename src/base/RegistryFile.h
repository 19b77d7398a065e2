#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One value line of a registry file. The data is what the program's registry calls read and
// write: texts (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) in code page 1252 with their zeros, numbers
// as four bytes, lowest first.
struct RegistryFileValue
{
  std::string strName;   // empty for the default value "@"
  bool fDefault = false;
  bool fDelete = false;  // "name"=-
  uint32_t dwType = 0;
  std::string strData;
  int nLine = 0;
};

// One key line of a registry file and the value lines below it.
struct RegistryFileKey
{
  std::string strPath;   // as written, "HKEY_LOCAL_MACHINE\Software\..."
  bool fDelete = false;  // [-path]
  int nLine = 0;
  std::vector<RegistryFileValue> rgValues;
};

// The text files of the system's registry editor: "Windows Registry Editor Version 5.00" (UTF-16
// with a byte order mark, as reg export writes it; its hex(1), hex(2) and hex(7) data are UTF-16
// too) and the older "REGEDIT4" (8-bit text and data). A file is read and written as a whole;
// nothing here touches the registry.
class RegistryFile
{
public:
  // A larger file is refused unread: a settings tree is a few hundred kilobytes at most.
  static constexpr size_t kcbMaxFile = 16 * 1024 * 1024;

  // The keys and values of the file in file order. False with a one-line reason naming the line
  // for anything the format does not allow or the program's code page cannot hold.
  static bool parse(const std::string& strBytes, std::vector<RegistryFileKey>& rgKeys, std::string& strError);
  // The file "reg export" writes for these keys (deletions are not written).
  static std::string write(const std::vector<RegistryFileKey>& rgKeys);
};
