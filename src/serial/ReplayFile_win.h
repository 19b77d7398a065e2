#pragma once

#include "ReplayLineReader.h"
#include "base/UniqueResource_win.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

class PortHost;

// Raw input recorded in an event log file, replayed as if the device sent it again (for
// diagnosis). Each line is replayed once: when the file has been read to its end it is deleted
// through the handle that read it, so a line appended meanwhile is not deleted unread. A file
// that cannot be deleted (read-only, say) is remembered with how much of it was read, and only
// what is appended to it later is replayed.
class ReplayFile
{
public:
  // Waits the given milliseconds unless the thread is asked to stop; true when asked to stop.
  using WaitUnlessStopped = std::function<bool(DWORD)>;

  ReplayFile(std::string strPath, PortHost& host, WaitUnlessStopped fnWait);
  ReplayFile(const ReplayFile&) = delete;
  ReplayFile& operator=(const ReplayFile&) = delete;

  // One step of a pass in which no byte waited at the port: looks for the file (at most once a
  // second, so the idle thread wakes for it only then), or replays its next line. strBytes receives the bytes of a replayed line.
  void step(std::string& strBytes, uint32_t dwNow);
  void close();
  // The tick of the next step that has work: while a file is open the next millisecond (a line
  // a pass, as recorded lines came one data string at a time), else the next look for the file.
  uint32_t nextStepDue(uint32_t dwNow) const;

private:
  void open();
  void readOnLine(std::string& strBytes);
  bool readMore();
  void finish();

  std::string m_strPath;
  PortHost& m_host;
  WaitUnlessStopped m_fnWait;
  uint32_t m_dwLastLook = 0;
  bool m_fLookedOnce = false;
  bool m_fOpenFailureShown = false;
  UniqueFileHandle m_hFile;
  ReplayLineReader m_reader;
  uint64_t m_cbStart = 0;  // where reading began in this file
  bool m_fAtEnd = false;
  // The file that could not be deleted: its identity and how much of it was replayed.
  bool m_fHaveKept = false;
  BY_HANDLE_FILE_INFORMATION m_keptIdentity = {};
  uint64_t m_cbKeptConsumed = 0;
};
