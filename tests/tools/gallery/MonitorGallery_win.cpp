#include "GalleryEntry.h"

#include "monitor/MonitorDlg_win.h"
#include "monitor/MonitorResourceIds.h"
#include "monitor/WedgeChooserDlg_win.h"

namespace
{
MonitorEvent sampleEvent(const std::string& strText)
{
  MonitorEvent event;
  MonitorEvent::parse(strText.data(), strText.size(), event);
  return event;
}

// The monitor as a support person sees it after a few scans: typed, held, refused, filtered, and
// a scan into the test pad that arrived with one letter swapped by the keyboard layout.
class CMonitorPicture : public CMonitorDlg
{
public:
  CMonitorPicture() : CMonitorDlg(false) {}

protected:
  bool onInit() override
  {
    CMonitorDlg::onInit();
    const char* const rgpszEvents[] = {
        "Connected\nTime Stamp = 2026-12-09 14:05:01.100\nProgram Info = Tarnwick Quilbar 3.21\nActive Profile = Warehouse 2",
        "Keyboard Output\nTime Stamp = 2026-12-09 14:05:09.042\nInput String = ]C1010400638133393110ABC123<GS>17270131\n"
        "Input String (after replacements) = 010400638133393110ABC123<GS>17270131\nMatching Data Editing Format = GS1 batch\n"
        "Keyboard Data = 0 4 0 0 6 3 8 1 3 3 3 9 3 Tab A B C 1 2 3 Enter ",
        "Duplicate String Filtered\nTime Stamp = 2026-12-09 14:05:09.391\nInput String = ]C1010400638133393110ABC123<GS>17270131\n"
        "Time Between Duplicates = 349 ms",
        "Locked Window(s) Not Active\nTime Stamp = 2026-12-09 14:06:30.517\nInput String = 4006381333931<CR>\n"
        "Current Window's Title = Untitled - Notepad",
        "Data Filtered\nTime Stamp = 2026-12-09 14:07:02.250\nInput String = [CTS_HIGH]\n"
        "Input String (after replacements) = [CTS_HIGH]",
        "Keyboard Output\nTime Stamp = 2026-12-09 14:07:15.804\nInput String = QUILBAR-Y7\n"
        "Input String (after replacements) = QUILBAR-Y7\nMatching Data Editing Format = Plain\n"
        "Keyboard Data = Q U I L B A R - Y 7 ",
    };
    DWORD dwTime = 1000;
    for (const char* pszEvent : rgpszEvents)
    {
      bool fLast = pszEvent == rgpszEvents[sizeof(rgpszEvents) / sizeof(rgpszEvents[0]) - 1];
      if (fLast)
        for (char ch : std::string("QUILBAR-Z7"))
          padCharacter(ch, dwTime);
      showEvent(sampleEvent(pszEvent), ++dwTime, fLast);
    }
    setItemText(IDC_MONITOR_PAD, "QUILBAR-Z7");
    return true;
  }
};
}  // namespace

// Pictures of the monitor's windows.
void addMonitorGallery(std::vector<GalleryEntry>& rgEntries)
{
  rgEntries.push_back({"monitor", [](HWND hwndOwner) {
                         CMonitorPicture picture;
                         picture.runModal(hwndOwner);
                       }});
  rgEntries.push_back({"monitor-chooser", [](HWND hwndOwner) {
                         CWedgeChooserDlg chooser({"Line1 (Tarnwick Quilbar 3.21)", "Warehouse 2 (Tarnwick Quilbar 3.21)",
                                                   "Quilbar 3: did not answer"});
                         chooser.runModal(hwndOwner);
                       }});
}
