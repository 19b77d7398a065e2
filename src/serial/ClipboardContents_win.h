#pragma once

#include <windows.h>

#include <string>

// A copy of what the clipboard held when a send out of the port was asked for. The clipboard is
// open only while it is copied: copy and paste in every other program wait while it is open.
struct ClipboardContents
{
  std::string strBytes;
  bool fFound = false;    // plain text or "QuilbarBinary" was there
  DWORD dwSequence = 0;   // the clipboard's sequence number when it was copied
};

// Plain text without its zero bytes at the end, else the registered "QuilbarBinary" data whole;
// nothing found when the clipboard holds neither or cannot be opened within a moment.
ClipboardContents copyClipboardContents();

// Empties the clipboard, but only while it still holds what was copied with that sequence
// number: what another program (or a later SendData) put there since is not ours to remove.
void emptyClipboardIfUnchanged(DWORD dwSequence);
