#pragma once

#include <cstdint>
#include <string>

// Cuts the bytes of a replay file into lines as they are read, with line ends removed. A line
// can hold no more than the raw input line of the longest data string; a longer line cannot have
// been written by the event log and is skipped, so that no file makes this buffer grow without
// bound. Counts the bytes of the lines handed out, which is how much of the file was consumed.
class ReplayLineReader
{
public:
  // "<24-character time stamp>RAW INPUT DATA: " and three characters for each byte of the
  // longest data string.
  static const size_t kcchMaxLine;

  // Bytes read from the file, in order.
  void feed(const char* pBytes, size_t nBytes);
  // The next complete line; false when none is complete yet.
  bool nextLine(std::string& strLine);
  // At the end of the file: the rest after the last line end, as the last line (false when there
  // is none).
  bool lastLine(std::string& strLine);
  // Bytes of the file taken so far, line ends and skipped lines included.
  uint64_t consumedBytes() const { return m_cbConsumed; }

private:
  std::string m_strPending;  // bytes after the last line end, at most kcchMaxLine
  bool m_fSkipping = false;  // within a line that was too long
  uint64_t m_cbSkipped = 0;  // bytes of that line dropped so far
  uint64_t m_cbConsumed = 0;
};
