#pragma once

#include <cstddef>
#include <string>

// "Pelldrop.ini": its first line is the output folder. Read and written with the C library, so
// the same code runs on every platform; the caller makes the start directory current first.
class PelldropConfig
{
public:
  enum class ReadResult
  {
    Read,
    NotFound,    // the file cannot be opened
    Unreadable,  // it has no first line (empty) or reading failed
  };
  enum class WriteResult
  {
    Written,
    CannotOpen,
    CannotWrite,
  };
  typedef bool (*IsLeadByteFunction)(unsigned char ch);

  static const char kszFileName[];
  // The longest folder text taken from the first line.
  static constexpr size_t kcchMaxFolder = 1023;

  static ReadResult read(const std::string& strPath, std::string& strFolder);
  static WriteResult write(const std::string& strPath, const std::string& strFolder);

  // The folder held by the file's first bytes; false when they hold no line at all.
  static bool parseFirstLine(const char* pData, size_t cbData, std::string& strFolder);
  // The folder with a backslash at its end, judged by characters of the code page whose lead
  // bytes pfnIsLeadByte names (a trail byte 0x5C is no backslash).
  static std::string withTrailingBackslash(const std::string& strFolder, IsLeadByteFunction pfnIsLeadByte);
};
