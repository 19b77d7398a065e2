#include "HelpViewer_win.h"

#include "ProgramPath_win.h"

std::string CHelpViewer::helpFile()
{
  return HelpRequest::helpFileBeside(programFileName());
}

bool CHelpViewer::loadViewer()
{
  if (m_pfnHtmlHelp != nullptr)
    return true;
  UniqueModule hViewer(LoadLibraryA("hhctrl.ocx"));
  if (!hViewer)
    return false;
  auto pfn = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(hViewer.get(), "HtmlHelpA")));
  if (pfn == nullptr)
    return false;
  m_hViewer = std::move(hViewer);
  m_pfnHtmlHelp = pfn;
  return true;
}

bool CHelpViewer::show(HWND hwndCaller, const HelpRequest& request)
{
  if (request.kind == HelpRequest::Kind::kQuit)
  {
    closeAll();
    return true;
  }
  std::string strFile = helpFile();
  UINT uBox = MB_OK | MB_ICONSTOP | (hwndCaller == nullptr ? MB_TASKMODAL : 0);
  // The viewer's own complaint about a missing file is a bare error window; the user is better
  // served by saying which file is missing.
  if (GetFileAttributesA(strFile.c_str()) == INVALID_FILE_ATTRIBUTES)
  {
    MessageBoxA(hwndCaller, HelpRequest::missingFileMessage(strFile).c_str(), "Quilbar", uBox);
    return false;
  }
  if (!loadViewer())
  {
    MessageBoxA(hwndCaller, HelpRequest::kszViewerMissing, "Quilbar", uBox);
    return false;
  }
  std::string strTarget = request.target(strFile);
  m_pfnHtmlHelp(hwndCaller, strTarget.c_str(), request.command(), request.dwContext);
  return true;
}

void CHelpViewer::closeAll()
{
  if (m_pfnHtmlHelp != nullptr)
    m_pfnHtmlHelp(nullptr, nullptr, HelpRequest::kCloseAll, 0);
}
