#include "ClipboardContents_win.h"

#include "base/ClipboardSession_win.h"

#include <cstring>
#include <memory>

namespace
{
// Another program may hold the clipboard for a moment; it is asked again a few times.
const int knOpenAttempts = 20;
const DWORD kdwOpenRetryMs = 5;

bool openWithPatience(std::unique_ptr<ClipboardSession>& pSession)
{
  for (int i = 0; i < knOpenAttempts; ++i)
  {
    pSession = std::make_unique<ClipboardSession>();
    if (pSession->isOpen())
      return true;
    pSession.reset();
    Sleep(kdwOpenRetryMs);
  }
  return false;
}
}  // namespace

ClipboardContents copyClipboardContents()
{
  ClipboardContents contents;
  std::unique_ptr<ClipboardSession> pSession;
  if (!openWithPatience(pSession))
    return contents;
  contents.dwSequence = GetClipboardSequenceNumber();
  bool fText = true;
  HANDLE hData = GetClipboardData(CF_TEXT);
  if (!hData)
  {
    fText = false;
    UINT uBinary = RegisterClipboardFormatA("QuilbarBinary");
    hData = uBinary ? GetClipboardData(uBinary) : nullptr;
  }
  const char* pData = hData ? static_cast<const char*>(GlobalLock(hData)) : nullptr;
  if (!pData)
    return contents;
  SIZE_T cbData = GlobalSize(hData);
  // Text ends at its zero byte; what the block holds beyond it is not part of the text.
  if (fText)
  {
    const void* pvZero = std::memchr(pData, 0, cbData);
    if (pvZero)
      cbData = static_cast<SIZE_T>(static_cast<const char*>(pvZero) - pData);
  }
  contents.strBytes.assign(pData, cbData);
  contents.fFound = true;
  GlobalUnlock(hData);
  return contents;
}

void emptyClipboardIfUnchanged(DWORD dwSequence)
{
  std::unique_ptr<ClipboardSession> pSession;
  if (openWithPatience(pSession) && GetClipboardSequenceNumber() == dwSequence)
    EmptyClipboard();
}
