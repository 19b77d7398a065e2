#include "MonitorHelp_win.h"

#include "MonitorTexts.h"
#include "base/UniqueResource_win.h"

#include <string>

namespace
{
constexpr UINT kuHelpContext = 0x000F;  // HH_HELP_CONTEXT
typedef HWND(WINAPI* HtmlHelpFn)(HWND, LPCSTR, UINT, DWORD_PTR);

std::string helpFile()
{
  char szPath[MAX_PATH] = "";
  DWORD cch = GetModuleFileNameA(NULL, szPath, MAX_PATH);
  std::string strPath(szPath, cch < MAX_PATH ? cch : 0);
  size_t nSlash = strPath.find_last_of("\\/");
  return nSlash == std::string::npos ? "Quilbar.chm" : strPath.substr(0, nSlash + 1) + "Quilbar.chm";
}

// The viewer stays loaded for the life of the program: its windows belong to it.
HtmlHelpFn viewer()
{
  static UniqueModule hViewer(LoadLibraryA("hhctrl.ocx"));
  if (!hViewer)
    return nullptr;
  return reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(hViewer.get(), "HtmlHelpA")));
}
}  // namespace

void showMonitorHelp(HWND hwndDialog, int nContextId, void*)
{
  std::string strFile = helpFile();
  if (GetFileAttributesA(strFile.c_str()) == INVALID_FILE_ATTRIBUTES)
  {
    MessageBoxA(hwndDialog, ("The help file " + strFile + " was not found.").c_str(), MonitorTexts::kszTitle,
                MB_OK | MB_ICONSTOP);
    return;
  }
  HtmlHelpFn pfnHtmlHelp = viewer();
  if (pfnHtmlHelp == nullptr)
  {
    MessageBoxA(hwndDialog, "The HTML help viewer (hhctrl.ocx) is not installed.", MonitorTexts::kszTitle,
                MB_OK | MB_ICONSTOP);
    return;
  }
  pfnHtmlHelp(hwndDialog, strFile.c_str(), kuHelpContext, static_cast<DWORD_PTR>(nContextId));
}
