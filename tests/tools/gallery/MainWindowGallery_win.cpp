#include "GalleryEntry.h"

#include "app/ResourceIds.h"
#include "base/DialogBase_win.h"

namespace
{
// The main window's template as the program fills it, on sample profiles: the picture needs no
// registry, port or tray icon, which the real window would take.
class CMainWindowPicture : public CDialogBase
{
public:
  CMainWindowPicture() : CDialogBase(IDD_QUILBAR_DIALOG) {}

protected:
  bool onInit() override
  {
    HICON hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
    for (const char* pszName : {"Default", "Line1", "Warehouse 2"})
      SendMessageA(item(IDC_MAIN_PROFILE), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszName));
    SendMessageA(item(IDC_MAIN_PROFILE), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Line1"));
    return true;
  }
  void onCancel() override {}
};
}  // namespace

// Pictures of the main window.
void addMainWindowGallery(std::vector<GalleryEntry>& rgEntries)
{
  rgEntries.push_back({"main-window", [](HWND hwndOwner) {
                         CMainWindowPicture picture;
                         picture.runModal(hwndOwner);
                       }});
}
