#include "PelldropConfig.h"

#include <cstdio>
#include <cstring>

const char PelldropConfig::kszFileName[] = "Pelldrop.ini";

// Read in binary mode: a text-mode read would turn CR LF into LF, and trailing CRs and LFs are
// removed anyway. Only the first kcchMaxFolder bytes can belong to the folder.
PelldropConfig::ReadResult PelldropConfig::read(const std::string& strPath, std::string& strFolder)
{
  strFolder.clear();
  std::FILE* pFile = std::fopen(strPath.c_str(), "rb");
  if (pFile == nullptr)
    return ReadResult::NotFound;
  char rgchLine[kcchMaxFolder];
  size_t cbRead = std::fread(rgchLine, 1, sizeof(rgchLine), pFile);
  bool fFailed = std::ferror(pFile) != 0;
  std::fclose(pFile);
  if (fFailed || !parseFirstLine(rgchLine, cbRead, strFolder))
    return ReadResult::Unreadable;
  return ReadResult::Read;
}

// Binary mode, so the line ends in exactly one line feed on every system. A full disk may show
// only when the buffered line is flushed, so the close is checked too.
PelldropConfig::WriteResult PelldropConfig::write(const std::string& strPath, const std::string& strFolder)
{
  std::FILE* pFile = std::fopen(strPath.c_str(), "wb");
  if (pFile == nullptr)
    return WriteResult::CannotOpen;
  std::string strLine = strFolder + "\n";
  bool fWritten = std::fwrite(strLine.data(), 1, strLine.size(), pFile) == strLine.size();
  fWritten = std::fflush(pFile) == 0 && fWritten;
  fWritten = std::fclose(pFile) == 0 && fWritten;
  return fWritten ? WriteResult::Written : WriteResult::CannotWrite;
}

// As a line reader with a 1024-byte buffer sees it: up to and including the first line feed, at
// most kcchMaxFolder bytes, ended early by a zero byte; then trailing CRs and LFs go.
bool PelldropConfig::parseFirstLine(const char* pData, size_t cbData, std::string& strFolder)
{
  strFolder.clear();
  if (pData == nullptr || cbData == 0)
    return false;
  size_t cbLine = cbData < kcchMaxFolder ? cbData : kcchMaxFolder;
  const void* pLineFeed = std::memchr(pData, '\n', cbLine);
  if (pLineFeed != nullptr)
    cbLine = static_cast<size_t>(static_cast<const char*>(pLineFeed) - pData) + 1;
  const void* pZero = std::memchr(pData, '\0', cbLine);
  if (pZero != nullptr)
    cbLine = static_cast<size_t>(static_cast<const char*>(pZero) - pData);
  strFolder.assign(pData, cbLine);
  while (!strFolder.empty() && (strFolder.back() == '\r' || strFolder.back() == '\n'))
    strFolder.pop_back();
  return true;
}

std::string PelldropConfig::withTrailingBackslash(const std::string& strFolder, IsLeadByteFunction pfnIsLeadByte)
{
  bool fEndsWithBackslash = false;
  for (size_t i = 0; i < strFolder.size();)
  {
    bool fDoubleByte = pfnIsLeadByte(static_cast<unsigned char>(strFolder[i])) && i + 1 < strFolder.size();
    fEndsWithBackslash = !fDoubleByte && strFolder[i] == '\\';
    i += fDoubleByte ? 2 : 1;
  }
  return fEndsWithBackslash ? strFolder : strFolder + "\\";
}
