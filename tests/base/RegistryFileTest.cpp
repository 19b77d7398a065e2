// Registry files as reg export writes them and as administrators edit them: both forms read, every
// fault reported with its line, and what is written read back unchanged.
#include "base/RegistryFile.h"
#include "base/Registry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{
// The UTF-16LE file (with byte order mark) of a text; "\u20AC" and the like pass as UTF-8.
std::string unicodeFile(const std::string& strUtf8)
{
  std::string strBytes = "\xFF\xFE";
  for (size_t i = 0; i < strUtf8.size(); ++i)
  {
    unsigned ch = static_cast<unsigned char>(strUtf8[i]);
    if (ch >= 0xE0)
    {
      ch = ((ch & 0x0F) << 12) | ((static_cast<unsigned char>(strUtf8[i + 1]) & 0x3F) << 6)
           | (static_cast<unsigned char>(strUtf8[i + 2]) & 0x3F);
      i += 2;
    }
    else if (ch >= 0xC0)
    {
      ch = ((ch & 0x1F) << 6) | (static_cast<unsigned char>(strUtf8[i + 1]) & 0x3F);
      i += 1;
    }
    strBytes += static_cast<char>(ch & 0xFF);
    strBytes += static_cast<char>(ch >> 8);
  }
  return strBytes;
}

// One line a key or value: "[path]" or "name=type:data in hex", deletions marked "-".
std::string dump(const std::vector<RegistryFileKey>& rgKeys)
{
  std::string strOut;
  for (const RegistryFileKey& key : rgKeys)
  {
    strOut += (key.fDelete ? "[-" : "[") + key.strPath + "]\n";
    for (const RegistryFileValue& value : key.rgValues)
    {
      strOut += (value.fDefault ? "@" : value.strName) + "=";
      if (value.fDelete)
      {
        strOut += "-\n";
        continue;
      }
      strOut += std::to_string(value.dwType) + ":";
      for (char ch : value.strData)
      {
        char szByte[4];
        std::snprintf(szByte, sizeof szByte, "%02x", static_cast<unsigned char>(ch));
        strOut += szByte;
      }
      strOut += "\n";
    }
  }
  return strOut;
}

std::string parsed(const std::string& strBytes)
{
  std::vector<RegistryFileKey> rgKeys;
  std::string strError;
  if (!RegistryFile::parse(strBytes, rgKeys, strError))
    return "error: " + strError;
  return dump(rgKeys);
}

struct ParseCase
{
  const char* pszName;
  bool fUnicode;
  const char* pszFile;
  const char* pszExpected;  // the dump, or "error: ..." with the reason
};

const ParseCase krgCases[] = {
    {"texts, dwords and escapes", true,
     "Windows Registry Editor Version 5.00\r\n\r\n; a comment\r\n[HKEY_LOCAL_MACHINE\\Software\\A]\r\n"
     "\"Port\"=\"COM3\"\r\n\"Q\\\"x\"=\"a\\\\b\\\"\"\r\n\"Speed\"=dword:0001c200\r\n@=\"d\"\r\n",
     "[HKEY_LOCAL_MACHINE\\Software\\A]\nPort=1:434f4d3300\nQ\"x=1:615c622200\nSpeed=4:00c20100\n@=1:6400\n"},
    {"hex continued over lines, UTF-16 text lists", true,
     "Windows Registry Editor Version 5.00\n[K]\n\"B\"=hex:01,02,\\\n  03\n\"T\"=hex(7):61,00,00,00,\\\n    00,00\n",
     "[K]\nB=3:010203\nT=7:610000\n"},
    {"code page 1252 letters both ways", true,
     "Windows Registry Editor Version 5.00\r\n[K\xC3\xA9]\r\n\"\xE2\x82\xAC\"=\"\xC3\xA5\"\r\n",
     "[K\xE9]\n\x80=1:e500\n"},
    {"REGEDIT4 keeps 8-bit data", false, "REGEDIT4\r\n\r\n[K]\r\n\"T\"=hex(7):e9,00,00\r\n\"S\"=\"\xE9\"\r\n",
     "[K]\nT=7:e90000\nS=1:e900\n"},
    {"deletions are read as deletions", true, "Windows Registry Editor Version 5.00\n[-K]\n[L]\n\"V\"=-\n",
     "[-K]\n[L]\nV=-\n"},
    {"any other first line", false, "REGEDIT5\n[K]\n", "error: line 1: the file starts neither with"},
    {"a value before any key", true, "Windows Registry Editor Version 5.00\n\"V\"=\"x\"\n",
     "error: line 2: a value before the first key"},
    {"an open text", true, "Windows Registry Editor Version 5.00\n[K]\n\n\"V\"=\"x\n",
     "error: line 4: a text without its closing quote"},
    {"an unknown escape", true, "Windows Registry Editor Version 5.00\n[K]\n\"V\"=\"a\\nb\"\n",
     "error: line 3: a backslash that escapes neither"},
    {"a dword of nine digits", true, "Windows Registry Editor Version 5.00\n[K]\n\"V\"=dword:000000001\n",
     "error: line 3: a dword that is not 1 to 8 hex digits"},
    {"a hex line ending in a comma", true, "Windows Registry Editor Version 5.00\n[K]\n\"V\"=hex:01,\n",
     "error: line 3: hex data that ends in a comma"},
    {"hex continued past the end", true, "Windows Registry Editor Version 5.00\n[K]\n\"V\"=hex:01,\\",
     "error: line 3: hex data continued past the end of the file"},
    {"a character outside code page 1252", true,
     "Windows Registry Editor Version 5.00\n[K]\n\"V\"=\"\xE4\xB8\x80\"\n",
     "error: line 3: a text with a character outside code page 1252"},
    {"UTF-16 text data of odd length", true, "Windows Registry Editor Version 5.00\n[K]\n\"V\"=hex(1):41\n",
     "error: line 3: UTF-16 text data of an odd number of bytes"},
    {"a key without its bracket", true, "Windows Registry Editor Version 5.00\n[K\n",
     "error: line 2: a key line without its closing bracket"},
    {"text after a text", true, "Windows Registry Editor Version 5.00\n[K]\n\"V\"=\"a\" x\n",
     "error: line 3: text after the closing quote"},
    {"a line that is no key or value", true, "Windows Registry Editor Version 5.00\n[K]\nV=1\n",
     "error: line 3: neither a key nor a value"},
};

TEST(RegistryFileTest, ReadsBothFormsAndNamesTheLineOfEveryFault)
{
  for (const ParseCase& test : krgCases)
  {
    SCOPED_TRACE(test.pszName);
    std::string strBytes = test.fUnicode ? unicodeFile(test.pszFile) : std::string(test.pszFile);
    std::string strResult = parsed(strBytes);
    std::string strExpected = test.pszExpected;
    if (strExpected.rfind("error: ", 0) == 0)
      EXPECT_EQ(0u, strResult.rfind(strExpected, 0)) << strResult;
    else
      EXPECT_EQ(strExpected, strResult);
  }
}

TEST(RegistryFileTest, AnOddNumberOfUtf16BytesIsRefused)
{
  EXPECT_EQ("error: the file is UTF-16 of an odd number of bytes",
            parsed(unicodeFile("Windows Registry Editor Version 5.00\n") + "x"));
}

// Texts with control characters go out as hex(1), long data is wrapped: all of it reads back.
TEST(RegistryFileTest, WhatIsWrittenReadsBackUnchanged)
{
  RegistryFileKey key;
  key.strPath = "HKEY_LOCAL_MACHINE\\Software\\\xC5sa \"q\"";
  auto add = [&key](const char* pszName, uint32_t dwType, const std::string& strData) {
    RegistryFileValue value;
    value.strName = pszName;
    value.dwType = dwType;
    value.strData = strData;
    key.rgValues.push_back(value);
  };
  add("Plain \\ \"quoted\"", Registry::kdwTypeString, std::string("C:\\temp\\\x80\xFF", 10) + '\0');
  add("Line", Registry::kdwTypeString, std::string("a\rb\0", 4));
  add("Number", Registry::kdwTypeDword, std::string("\x78\x56\x34\x12", 4));
  add("Short", Registry::kdwTypeDword, std::string("\x01\x02", 2));
  add("List", Registry::kdwTypeMultiString, std::string("one\0tw\xE9\0\0", 9));
  add("Map", Registry::kdwTypeBinary, std::string(300, '\x5A'));
  add("Empty", Registry::kdwTypeBinary, "");
  std::vector<RegistryFileKey> rgKeys{key};
  std::string strBytes = RegistryFile::write(rgKeys);
  EXPECT_EQ(dump(rgKeys), parsed(strBytes));
  // The form reg export writes: UTF-16 with its mark, the header, a blank line, the key.
  std::string strStart = unicodeFile("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\\xC3\x85sa");
  EXPECT_EQ(strStart, strBytes.substr(0, strStart.size()));
}
}  // namespace
