// The installer as an administrator uses it, under Wine: a silent fleet installation that brings
// its profiles along, fleet files that reach beyond the settings refused with their reason in the
// installer's log, an upgrade onto differing profiles that ends with exactly the fleet's, the
// installed program typing a scan and opening its help, a reinstallation that keeps the settings,
// and silent uninstallations that leave nothing behind (the settings only when asked). Quilbar.msi is this build's package; QuilbarUpgrade.msi is the same payload under
// a higher version.
#include "KeyTargetProcess_win.h"
#include "SerialTestRig_win.h"
#include "TestProcess_win.h"
#include "TestSupport.h"
#include "app/AutoStartList.h"
#include "app/ResourceIds.h"
#include "base/Registry.h"
#include "settings/QuilbarProfileStore.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace
{
const char kszMainTitle[] = "Tarnwick Quilbar 3.21";
const char kszHelpTitle[] = "Quilbar Help";
const char kszSettingsRoot[] = "HKEY_LOCAL_MACHINE\\Software\\Tarnwick\\Quilbar2";
const UINT kuKeyF1 = 0x004D;  // WM_KEYF1, which the system makes of the F1 key

std::string shellFolder(int nFolder)
{
  char szPath[MAX_PATH] = "";
  SHGetFolderPathA(nullptr, nFolder, nullptr, SHGFP_TYPE_CURRENT, szPath);
  return szPath;
}

std::string installFolder() { return shellFolder(CSIDL_PROGRAM_FILES) + "\\Tarnwick\\Quilbar"; }
// The Start menu of all users; Wine's installer puts a per-machine package's shortcuts into the
// installing user's menu instead.
std::string menuFolder()
{
  std::string strCommon = shellFolder(CSIDL_COMMON_PROGRAMS) + "\\Quilbar";
  std::string strUser = shellFolder(CSIDL_PROGRAMS) + "\\Quilbar";
  return GetFileAttributesA(strCommon.c_str()) == INVALID_FILE_ATTRIBUTES &&
                 GetFileAttributesA(strUser.c_str()) != INVALID_FILE_ATTRIBUTES
             ? strUser
             : strCommon;
}
bool exists(const std::string& strPath) { return GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES; }
std::string inQuotes(const std::string& strText) { return "\"" + strText + "\""; }

DWORD msiexec(const std::string& strArguments)
{
  return TestProcess::run("msiexec.exe " + strArguments, 120s);
}

std::string package(const char* pszName) { return inQuotes(KeyTargetProcess::besideTestProgram(pszName)); }

std::vector<std::string> installedFiles()
{
  std::vector<std::string> rgstrFound;
  for (const char* pszName : {"Quilbar.exe", "Pelldrop.exe", "QuilbarMonitor.exe", "Tessel.dll", "Quilbar.chm",
                              "PolicyDefinitions\\Quilbar.admx", "PolicyDefinitions\\en-US\\Quilbar.adml"})
    if (exists(installFolder() + "\\" + pszName))
      rgstrFound.push_back(pszName);
  for (const char* pszName : {"Quilbar.lnk", "Pelldrop.lnk", "Quilbar Monitor.lnk", "Quilbar Help.lnk"})
    if (exists(menuFolder() + "\\" + pszName))
      rgstrFound.push_back(pszName);
  return rgstrFound;
}

// "file version/product version/product name" of a binary's version resource.
std::string versionOf(const std::string& strPath)
{
  DWORD dwIgnored = 0;
  DWORD dwSize = GetFileVersionInfoSizeA(strPath.c_str(), &dwIgnored);
  std::vector<char> rgchInfo(dwSize + 1, '\0');
  if (dwSize == 0 || !GetFileVersionInfoA(strPath.c_str(), 0, dwSize, rgchInfo.data()))
    return "<no version resource>";
  VS_FIXEDFILEINFO* pFixed = nullptr;
  char* pszProduct = nullptr;
  UINT uLength = 0;
  if (!VerQueryValueA(rgchInfo.data(), "\\", reinterpret_cast<void**>(&pFixed), &uLength) ||
      !VerQueryValueA(rgchInfo.data(), "\\StringFileInfo\\040904E4\\ProductName", reinterpret_cast<void**>(&pszProduct),
                      &uLength))
    return "<incomplete version resource>";
  char szText[128];
  snprintf(szText, sizeof szText, "%u.%u.%u.%u/%u.%u.%u.%u/%s", HIWORD(pFixed->dwFileVersionMS),
           LOWORD(pFixed->dwFileVersionMS), HIWORD(pFixed->dwFileVersionLS), LOWORD(pFixed->dwFileVersionLS),
           HIWORD(pFixed->dwProductVersionMS), LOWORD(pFixed->dwProductVersionMS), HIWORD(pFixed->dwProductVersionLS),
           LOWORD(pFixed->dwProductVersionLS), pszProduct);
  return szText;
}

// The application manifest (resource 1 of type 24) of a program.
std::string manifestOf(const std::string& strPath)
{
  HMODULE hModule = LoadLibraryExA(strPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (hModule == nullptr)
    return "<cannot load>";
  std::string strManifest = "<no manifest>";
  HRSRC hResource = FindResourceA(hModule, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  HGLOBAL hData = hResource != nullptr ? LoadResource(hModule, hResource) : nullptr;
  if (hData != nullptr)
    strManifest.assign(static_cast<const char*>(LockResource(hData)), SizeofResource(hModule, hResource));
  FreeLibrary(hModule);
  return strManifest;
}

std::vector<std::string> storedProfiles()
{
  Registry settings;
  if (!settings.openKey(std::string(kszSettingsRoot) + "\\Settings", Registry::kdwAccessRead))
    return {};
  QuilbarProfileStore store;
  std::string strError;
  std::vector<std::string> rgstrNames;
  if (!store.loadSettings(strError))
    return {"<unreadable: " + strError + ">"};
  for (const auto& entry : store.getProfiles().getEntries())
    rgstrNames.push_back(entry.first + "=" + entry.second->getPort() + "," + entry.second->getInitString());
  std::sort(rgstrNames.begin(), rgstrNames.end());
  return rgstrNames;
}

std::vector<std::string> quilbarRunEntries()
{
  Registry run;
  TextList rgNames;
  if (run.openKey(AutoStartList::kszRunKey, Registry::kdwAccessRead))
    run.getKeyValueNames(rgNames);
  rgNames.erase(std::remove_if(rgNames.begin(), rgNames.end(),
                               [](const std::string& strName) { return strName.rfind("Quilbar_", 0) != 0; }),
                rgNames.end());
  std::sort(rgNames.begin(), rgNames.end());
  return rgNames;
}

void deleteSettings()
{
  testsupport::removeStoredSettings();
  AutoStartList([](std::string&) { return false; }).unregisterAllAutoStart();
}

// What an administrator prepares on one configured computer: the settings exported to a file.
std::string exportFleetSettings()
{
  {
    QuilbarProfileStore store;
    for (const char* pszName : {"Default", "Line2"})
    {
      QuilbarProfile& profile = store.addOrSelectProfile(pszName);
      profile.setDefaults();
      profile.setName(pszName);
    }
    QuilbarProfile& till = store.addOrSelectProfile("Default");
    till.setPort("COM1");
    till.setInitString("F^M");
    till.getDataEditFormatMap().lookup("Default")->setOutput("Input() + \"<CR>\"");
    QuilbarProfile& line2 = store.addOrSelectProfile("Line2");
    line2.setPort("COM3");
    line2.setAutoStart(1);
    EXPECT_TRUE(store.saveSettings());
  }
  char szTemp[MAX_PATH] = "";
  GetTempPathA(sizeof szTemp, szTemp);
  std::string strFile = std::string(szTemp) + "quilbar-fleet.reg";
  DeleteFileA(strFile.c_str());
  EXPECT_EQ(0u, TestProcess::run("reg.exe export " + inQuotes(kszSettingsRoot) + " " + inQuotes(strFile) + " /y", 30s));
  deleteSettings();
  return strFile;
}

// A copy of the fleet file with more lines at its end (reg.exe writes UTF-16 with a byte order
// mark; the lines are ASCII).
std::string fleetFileWith(const std::string& strFleetFile, const char* pszName, const std::string& strAdded)
{
  std::string strBytes;
  char rgchBuffer[4096];
  DWORD dwRead = 0;
  HANDLE hFile = CreateFileA(strFleetFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  while (ReadFile(hFile, rgchBuffer, sizeof rgchBuffer, &dwRead, nullptr) && dwRead > 0)
    strBytes.append(rgchBuffer, dwRead);
  CloseHandle(hFile);
  for (char ch : strAdded)
    strBytes += std::string{ch, '\0'};
  std::string strFile = strFleetFile + "." + pszName + ".reg";
  hFile = CreateFileA(strFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  WriteFile(hFile, strBytes.data(), static_cast<DWORD>(strBytes.size()), &dwRead, nullptr);
  CloseHandle(hFile);
  return strFile;
}

// An installer log, in 8-bit text whichever form the installer wrote.
std::string logText(const std::string& strLog)
{
  std::string strBytes;
  char rgchBuffer[4096];
  DWORD dwRead = 0;
  HANDLE hFile = CreateFileA(strLog.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  while (ReadFile(hFile, rgchBuffer, sizeof rgchBuffer, &dwRead, nullptr) && dwRead > 0)
    strBytes.append(rgchBuffer, dwRead);
  CloseHandle(hFile);
  if (strBytes.size() < 2 || strBytes[0] != '\xFF' || strBytes[1] != '\xFE')
    return strBytes;
  std::string strText;
  for (size_t i = 2; i + 1 < strBytes.size(); i += 2)
    strText += strBytes[i];
  return strText;
}

// The computer's own profiles, other than the fleet's: a profile of its own that starts with
// Windows, and Default on another port.
void makeLocalProfiles()
{
  QuilbarProfileStore store;
  std::string strError;
  ASSERT_TRUE(store.loadSettings(strError)) << strError;
  QuilbarProfile& local = store.addOrSelectProfile("Local");
  local.setPort("COM4");
  local.setAutoStart(1);
  store.addOrSelectProfile("Default").setPort("COM9");
  ASSERT_TRUE(store.saveSettings());
  AutoStartList([](std::string& strPath) { strPath = "Quilbar.exe"; return true; }).synchroniseAutoStart(store.getProfiles());
}

// The installed program, started as the Start menu starts it.
class InstalledQuilbar : public TestProcess
{
public:
  InstalledQuilbar() : TestProcess(inQuotes(installFolder() + "\\Quilbar.exe")) {}
  HWND waitForMainWindow() const
  {
    HWND hwndMain = waitForWindow(kszMainTitle, "#32770");
    bool fReady = testsupport::waitUntil([&] { return GetWindowLongPtrA(hwndMain, GWLP_USERDATA) == 0xB00B; }, 20000ms);
    return fReady ? hwndMain : nullptr;
  }
};

// F1 in a window of the program opens the help viewer. The viewer opens only for a context that
// the compiled file maps to a page (otherwise it is closed again at once), so each opening shows
// that the window's context has its page.
bool helpOpensAfterF1(const InstalledQuilbar& quilbar, HWND hwndTarget, std::string& strWhy)
{
  PostMessageA(hwndTarget, kuKeyF1, 0, 0);
  HWND hwndHelp = quilbar.waitForWindow(kszHelpTitle, nullptr, 15000ms);
  if (hwndHelp == nullptr)
  {
    strWhy = "no help viewer appeared";
    return false;
  }
  PostMessageA(hwndHelp, WM_CLOSE, 0, 0);
  if (!testsupport::waitUntil([&] { return !IsWindow(hwndHelp); }, 10000ms))
  {
    strWhy = "the help viewer did not close";
    return false;
  }
  return true;
}

class InstallerTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    removeEverything();
    ASSERT_FALSE(exists(installFolder())) << "an earlier installation could not be removed";
    m_peer1.drain();
  }
  void TearDown() override { removeEverything(); }

  // What a failed run may have left installed; a clean machine needs no msiexec at all.
  static void removeEverything()
  {
    for (const char* pszPackage : {"QuilbarUpgrade.msi", "Quilbar.msi"})
      if (exists(installFolder()))
        msiexec("/x " + package(pszPackage) + " /qn REMOVESETTINGS=1");
    deleteSettings();
  }

  static bool waitForInit(PeerPort& peer, const std::string& strInit)
  {
    return peer.read(strInit.size(), 20000ms) == strInit;
  }

  PeerPort m_peer1{"\\\\.\\COM2"};  // the far end of COM1
};

const std::vector<std::string> kAllInstalled = {"Quilbar.exe",  "Pelldrop.exe",        "QuilbarMonitor.exe",
                                                "Tessel.dll",   "Quilbar.chm",
                                                "PolicyDefinitions\\Quilbar.admx",
                                                "PolicyDefinitions\\en-US\\Quilbar.adml",
                                                "Quilbar.lnk",  "Pelldrop.lnk", "Quilbar Monitor.lnk", "Quilbar Help.lnk"};
const std::vector<std::string> kFleetProfiles = {"Default=COM1,F^M", "Line2=COM3,"};
}  // namespace

TEST_F(InstallerTest, FleetInstallRefusesFilesBeyondTheSettingsUpgradesToExactlyTheFleetsProfilesAndUninstallsWithoutTrace)
{
  std::string strFleetFile = exportFleetSettings();
  ASSERT_TRUE(storedProfiles().empty());

  // A silent installation that names the exported settings arrives with the fleet's profiles.
  ASSERT_EQ(0u, msiexec("/i " + package("Quilbar.msi") + " /qn SETTINGSFILE=" + inQuotes(strFleetFile)));
  EXPECT_EQ(kAllInstalled, installedFiles());
  EXPECT_EQ(kFleetProfiles, storedProfiles());
  // One version on all three binaries; the programs ask for visual styles and per-monitor DPI.
  const std::string strVersion = std::string(QUILBAR_VERSION_TEXT) + "/" + QUILBAR_VERSION_TEXT + "/Tarnwick Quilbar";
  for (const char* pszName : {"Quilbar.exe", "Pelldrop.exe", "QuilbarMonitor.exe", "Tessel.dll"})
  {
    SCOPED_TRACE(pszName);
    EXPECT_EQ(strVersion, versionOf(installFolder() + "\\" + pszName));
  }
  for (const char* pszName : {"Quilbar.exe", "Pelldrop.exe", "QuilbarMonitor.exe"})
  {
    SCOPED_TRACE(pszName);
    std::string strManifest = manifestOf(installFolder() + "\\" + pszName);
    EXPECT_NE(std::string::npos, strManifest.find("Microsoft.Windows.Common-Controls")) << strManifest;
    EXPECT_NE(std::string::npos, strManifest.find("PerMonitorV2")) << strManifest;
  }

  // Files that reach beyond the settings fail the upgrade with the program's reason in the log,
  // and change nothing: neither the computer's own, differing profiles nor the run entries.
  makeLocalProfiles();
  const std::vector<std::string> kLocalProfiles = {"Default=COM9,F^M", "Line2=COM3,", "Local=COM4,F^M"};
  ASSERT_EQ(kLocalProfiles, storedProfiles());
  const std::vector<std::string> kLocalRunEntries = {"Quilbar_Line2", "Quilbar_Local"};
  ASSERT_EQ(kLocalRunEntries, quilbarRunEntries());
  struct Refused
  {
    const char* pszName;
    std::string strAdded;
    const char* pszReason;
  };
  const Refused krgRefused[] = {
      {"run", "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n\"Quilbar_Evil\"=\"evil.exe\"\r\n",
       "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run is not below "
       "HKEY_LOCAL_MACHINE\\Software\\Tarnwick\\Quilbar2\\Settings"},
      {"delete", "[-" + std::string(kszSettingsRoot) + "\\Settings\\Profile1]\r\n", "deletes the key"},
  };
  for (const Refused& refused : krgRefused)
  {
    SCOPED_TRACE(refused.pszName);
    std::string strFile = fleetFileWith(strFleetFile, refused.pszName, refused.strAdded);
    std::string strLog = strFile + ".log";
    EXPECT_EQ(1603u, msiexec("/i " + package("QuilbarUpgrade.msi") + " /qn /l*v " + inQuotes(strLog) +
                             " SETTINGSFILE=" + inQuotes(strFile)));
    std::string strText = logText(strLog);
    EXPECT_NE(std::string::npos, strText.find("Quilbar settings import: " + strFile + ": line ")) << strText;
    EXPECT_NE(std::string::npos, strText.find(refused.pszReason)) << strText;
    EXPECT_EQ(kLocalProfiles, storedProfiles());
    EXPECT_EQ(kLocalRunEntries, quilbarRunEntries());
    EXPECT_EQ(kAllInstalled, installedFiles());
    DeleteFileA(strFile.c_str());
    DeleteFileA(strLog.c_str());
  }

  // An upgrade with the fleet file ends with exactly the fleet's profiles, and only their run
  // entries.
  ASSERT_EQ(0u, msiexec("/i " + package("QuilbarUpgrade.msi") + " /qn SETTINGSFILE=" + inQuotes(strFleetFile)));
  EXPECT_EQ(kAllInstalled, installedFiles());
  EXPECT_EQ(kFleetProfiles, storedProfiles());
  EXPECT_EQ(std::vector<std::string>{"Quilbar_Line2"}, quilbarRunEntries());

  {
    // The installed program types a scan and keeps its start-with-Windows entries.
    KeyTargetProcess target("Installed target");
    std::string strWhy;
    ASSERT_TRUE(target.isReady(strWhy)) << strWhy;
    InstalledQuilbar quilbar;
    ASSERT_TRUE(quilbar.started()) << "the installed Quilbar.exe did not start: " << quilbar.startError();
    HWND hwndMain = quilbar.waitForMainWindow();
    ASSERT_NE(nullptr, hwndMain);
    ASSERT_TRUE(waitForInit(m_peer1, "F\r")) << "the fleet profile's port did not open";
    ASSERT_TRUE(target.bringToFront());
    ASSERT_TRUE(m_peer1.write("INSTALLED1\r"));
    EXPECT_TRUE(target.waitForText("INSTALLED1\r\n")) << target.text();
    EXPECT_EQ(std::vector<std::string>{"Quilbar_Line2"}, quilbarRunEntries());

    // Help from the main window and from a page of the settings, beside the installed program.
    EXPECT_TRUE(helpOpensAfterF1(quilbar, hwndMain, strWhy)) << "main window: " << strWhy;
    PostMessageA(hwndMain, WM_COMMAND, MAKEWPARAM(IDC_MAIN_SETTINGS, BN_CLICKED), 0);
    HWND hwndSheet = quilbar.waitForWindow("Settings", "#32770");
    ASSERT_NE(nullptr, hwndSheet) << "the settings did not open";
    HWND hwndPage = reinterpret_cast<HWND>(SendMessageA(hwndSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ASSERT_NE(nullptr, hwndPage);
    EXPECT_TRUE(helpOpensAfterF1(quilbar, GetWindow(hwndPage, GW_CHILD), strWhy)) << "settings page: " << strWhy;
    PostMessageA(hwndSheet, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(waitForInit(m_peer1, "F\r")) << "the port did not open again after the settings";

    PostMessageA(hwndMain, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(quilbar.waitForExit(20000ms)) << "Unload did not end the program; its windows: " << quilbar.visibleWindows();
  }

  // Uninstalling removes the program and its start-with-Windows entries; the settings stay.
  ASSERT_EQ(0u, msiexec("/x " + package("QuilbarUpgrade.msi") + " /qn"));
  EXPECT_EQ(std::vector<std::string>{}, installedFiles());
  EXPECT_FALSE(exists(installFolder())) << installFolder();
  EXPECT_FALSE(exists(menuFolder())) << menuFolder();
  EXPECT_EQ(std::vector<std::string>{}, quilbarRunEntries());
  EXPECT_EQ(kFleetProfiles, storedProfiles());

  // Installed again, the package finds those settings and leaves them alone; uninstalled with
  // REMOVESETTINGS=1, nothing of Quilbar stays.
  ASSERT_EQ(0u, msiexec("/i " + package("Quilbar.msi") + " /qn"));
  EXPECT_EQ(kFleetProfiles, storedProfiles());
  ASSERT_EQ(0u, msiexec("/x " + package("Quilbar.msi") + " /qn REMOVESETTINGS=1"));
  EXPECT_EQ(std::vector<std::string>{}, installedFiles());
  Registry settings;
  EXPECT_FALSE(settings.openKey(kszSettingsRoot, Registry::kdwAccessRead)) << "the settings were not removed";
  DeleteFileA(strFleetFile.c_str());
}

// On a computer without settings the installer, which has administrator rights, writes what the
// program's first run writes, so that users without those rights can start it.
TEST_F(InstallerTest, AnInstallationOnANewComputerCreatesTheFirstRunSettings)
{
  ASSERT_EQ(0u, msiexec("/i " + package("Quilbar.msi") + " /qn"));
  QuilbarProfileStore store;
  std::string strError;
  ASSERT_TRUE(store.isSettingsKeyMissing() == false) << "no settings key after the installation";
  ASSERT_TRUE(store.loadSettings(strError)) << strError;
  ASSERT_EQ(1u, store.getProfiles().getEntries().size());
  QuilbarProfile expected;
  expected.setDefaults();
  expected.setName("Default");
  EXPECT_EQ("Default", store.getProfiles().getEntries().begin()->first);
  EXPECT_EQ(expected.getPort(), store.getCurrentProfile()->getPort());
  EXPECT_EQ(expected.getDataStringTerminator(), store.getCurrentProfile()->getDataStringTerminator());
}
