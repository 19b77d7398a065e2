#include "ReplayFile_win.h"

#include "PortHost.h"
#include "PortMessages.h"
#include "RawInputLine.h"
#include "base/SystemError_win.h"

namespace
{
// Replay is a diagnosis started by hand, so a second until it is noticed costs nothing; every look
// is a file system call and a wake-up of the otherwise sleeping thread.
const DWORD kdwLookIntervalMs = 1000;
const DWORD kdwReplayTargetPauseMs = 2000;
const DWORD kcbReadBlock = 4096;

bool sameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b)
{
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh
         && a.nFileIndexLow == b.nFileIndexLow;
}

uint64_t fileSize(HANDLE hFile)
{
  LARGE_INTEGER size = {};
  return GetFileSizeEx(hFile, &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
}

bool markForDeletion(HANDLE hFile, bool fDelete)
{
  FILE_DISPOSITION_INFO disposition = {};
  disposition.DeleteFile = fDelete ? TRUE : FALSE;
  return SetFileInformationByHandle(hFile, FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}
}  // namespace

ReplayFile::ReplayFile(std::string strPath, PortHost& host, WaitUnlessStopped fnWait)
  : m_strPath(std::move(strPath)), m_host(host), m_fnWait(std::move(fnWait))
{
}

void ReplayFile::step(std::string& strBytes, uint32_t dwNow)
{
  if (m_hFile)
  {
    readOnLine(strBytes);
    return;
  }
  if (m_fLookedOnce && static_cast<uint32_t>(dwNow - m_dwLastLook) < kdwLookIntervalMs)
    return;
  m_fLookedOnce = true;
  m_dwLastLook = dwNow;
  open();
}

uint32_t ReplayFile::nextStepDue(uint32_t dwNow) const
{
  if (m_hFile)
    return dwNow + 1;
  if (!m_fLookedOnce)
    return dwNow;
  return m_dwLastLook + kdwLookIntervalMs;
}

void ReplayFile::close()
{
  m_hFile.reset();
}

// Opened with delete access and shared for writing and deleting, so the event log can go on
// appending to it while it is replayed.
void ReplayFile::open()
{
  const DWORD dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  UniqueFileHandle hFile(CreateFileA(m_strPath.c_str(), GENERIC_READ | DELETE, dwShare, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD dwError = hFile ? ERROR_SUCCESS : GetLastError();
  if (!hFile && dwError == ERROR_ACCESS_DENIED)
  {
    // Readable but not deletable by us: replayed all the same, and kept track of below.
    hFile = UniqueFileHandle(
        CreateFileA(m_strPath.c_str(), GENERIC_READ, dwShare, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    dwError = hFile ? ERROR_SUCCESS : GetLastError();
  }
  if (!hFile)
  {
    if (dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_PATH_NOT_FOUND)
      return;
    // Once per run: the file stays where it is, and a box every second helps nobody.
    if (!m_fOpenFailureShown)
    {
      m_fOpenFailureShown = true;
      m_host.showNotice(kszReplayOpenFailed);
    }
    return;
  }
  BY_HANDLE_FILE_INFORMATION identity = {};
  GetFileInformationByHandle(hFile.get(), &identity);
  uint64_t cbStart = m_fHaveKept && sameFile(identity, m_keptIdentity) ? m_cbKeptConsumed : 0;
  if (fileSize(hFile.get()) <= cbStart)
    return;  // the kept file, with nothing new in it
  LARGE_INTEGER position = {};
  position.QuadPart = static_cast<LONGLONG>(cbStart);
  SetFilePointerEx(hFile.get(), position, nullptr, FILE_BEGIN);
  m_hFile = std::move(hFile);
  m_reader = ReplayLineReader();
  m_cbStart = cbStart;
  m_host.showNotice(kszReplaySelectTarget);
  // Time for the user to bring the target program to the front.
  m_fnWait(kdwReplayTargetPauseMs);
}

// One line per pass, as recorded lines came one data string at a time.
void ReplayFile::readOnLine(std::string& strBytes)
{
  std::string strLine;
  while (!m_reader.nextLine(strLine))
  {
    if (readMore())
      continue;
    if (m_reader.lastLine(strLine))
      break;
    finish();
    return;
  }
  parseReplayLine(strLine, strBytes);
}

bool ReplayFile::readMore()
{
  char rgchBlock[kcbReadBlock];
  DWORD cbRead = 0;
  if (!ReadFile(m_hFile.get(), rgchBlock, kcbReadBlock, &cbRead, nullptr) || cbRead == 0)
    return false;
  m_reader.feed(rgchBlock, cbRead);
  return true;
}

// Read to its end: deleted through this handle when nothing was appended after what was read
// (the deletion takes effect as the handle closes). A file that cannot be deleted is not replayed
// again; only lines appended to it later are.
void ReplayFile::finish()
{
  uint64_t cbConsumed = m_cbStart + m_reader.consumedBytes();
  bool fMarked = markForDeletion(m_hFile.get(), true);
  DWORD dwError = fMarked ? ERROR_SUCCESS : GetLastError();
  if (fileSize(m_hFile.get()) > cbConsumed)
  {
    // Lines came in after the end was read: they are replayed first, then the file goes.
    if (fMarked)
      markForDeletion(m_hFile.get(), false);
    return;
  }
  if (!fMarked)
  {
    BY_HANDLE_FILE_INFORMATION identity = {};
    GetFileInformationByHandle(m_hFile.get(), &identity);
    if (!m_fHaveKept || !sameFile(identity, m_keptIdentity))
      m_host.logEvent(kszEventReplayFileNotRemoved,
                      {"File = " + m_strPath, "Error = " + systemErrorText(dwError)});
    m_fHaveKept = true;
    m_keptIdentity = identity;
    m_cbKeptConsumed = cbConsumed;
  }
  m_hFile.reset();
}
