#pragma once

#include "HelpRequest.h"
#include "base/UniqueResource_win.h"

#include <windows.h>

// The program's help, shown by the HTML help viewer, which is loaded only when help is first
// asked for: a computer without it runs the program all the same.
class CHelpViewer
{
public:
  CHelpViewer() = default;
  ~CHelpViewer() { closeAll(); }
  CHelpViewer(const CHelpViewer&) = delete;
  CHelpViewer& operator=(const CHelpViewer&) = delete;

  // Passes the request to the viewer. A missing help file or viewer is told in a box owned by
  // hwndCaller (modal to the thread when null); false then.
  bool show(HWND hwndCaller, const HelpRequest& request);
  // Closes every help window the program opened.
  void closeAll();

  // "Quilbar.chm" beside the running program.
  static std::string helpFile();

private:
  typedef HWND(WINAPI* HtmlHelpFn)(HWND, LPCSTR, UINT, DWORD_PTR);
  bool loadViewer();

  UniqueModule m_hViewer;
  HtmlHelpFn m_pfnHtmlHelp = nullptr;
};
