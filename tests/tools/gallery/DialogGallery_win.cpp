// Opens one dialog of the program for a picture of it:
//
//   DialogGallery.exe --list                      names of every picture, one a line
//   DialogGallery.exe NAME READY_FILE DONE_FILE   shows NAME; writes READY_FILE once the dialog
//                                                 has been painted, ends when DONE_FILE exists
//
// scripts/screenshots.sh drives it: it takes the screenshot between the two files.
#include "GalleryEntry.h"

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace
{
std::vector<GalleryEntry> allEntries()
{
  std::vector<GalleryEntry> rgEntries;
  addMainWindowGallery(rgEntries);
  addSettingsGallery(rgEntries);
  addDataEditingGallery(rgEntries);
  addMonitorGallery(rgEntries);
  return rgEntries;
}

struct VisibleWindowSearch
{
  DWORD dwProcessId;
  bool fFound;
};

BOOL CALLBACK findVisibleWindow(HWND hwnd, LPARAM lParam)
{
  auto* pSearch = reinterpret_cast<VisibleWindowSearch*>(lParam);
  DWORD dwProcessId = 0;
  GetWindowThreadProcessId(hwnd, &dwProcessId);
  if (dwProcessId == pSearch->dwProcessId && IsWindowVisible(hwnd))
  {
    pSearch->fFound = true;
    return FALSE;
  }
  return TRUE;
}

bool fileExists(const std::string& strPath)
{
  return GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Waits for the dialog to appear and settle, says so, and ends the process once the picture is
// taken: dialogs that open further dialogs need no answering this way.
void watch(std::string strReadyFile, std::string strDoneFile)
{
  VisibleWindowSearch search{GetCurrentProcessId(), false};
  for (int i = 0; i < 3000 && !search.fFound; ++i)
  {
    Sleep(10);
    EnumWindows(&findVisibleWindow, reinterpret_cast<LPARAM>(&search));
  }
  Sleep(500);  // let the dialog and its controls paint
  if (FILE* pFile = std::fopen(strReadyFile.c_str(), "w"))
    std::fclose(pFile);
  for (int i = 0; i < 6000 && !fileExists(strDoneFile); ++i)
    Sleep(10);
  ExitProcess(search.fFound ? 0 : 3);
}
}  // namespace

int main(int argc, char** argv)
{
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  std::vector<GalleryEntry> rgEntries = allEntries();
  if (argc == 2 && std::string(argv[1]) == "--list")
  {
    for (const GalleryEntry& entry : rgEntries)
      std::printf("%s\n", entry.strName.c_str());
    return 0;
  }
  if (argc != 4)
  {
    std::fprintf(stderr, "usage: DialogGallery --list | NAME READY_FILE DONE_FILE\n");
    return 2;
  }
  for (const GalleryEntry& entry : rgEntries)
  {
    if (entry.strName != argv[1])
      continue;
    std::thread(watch, std::string(argv[2]), std::string(argv[3])).detach();
    entry.fnShow(nullptr);
    return 0;
  }
  std::fprintf(stderr, "DialogGallery: no picture named %s\n", argv[1]);
  return 2;
}
