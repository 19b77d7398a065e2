// QuilbarSetup.dll: the installer's custom actions for a fleet's settings file.
//
// CheckSettingsFile runs before the installation changes anything: it checks the file with the
// program's own import code (nothing is written) and fails the installation with the reason in
// the log, so that a refused file leaves even an upgrade's older version untouched.
//
// ImportSettings runs the command line the package hands over (the installed Quilbar.exe with
// "/import" and the file), writes what the program said on its standard error into the
// installer's log, and fails the installation when the program refused the file.
#include "settings/QuilbarProfileStore.h"
#include "settings/SettingsFile.h"
#include "base/RegistryFile.h"

#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <string>

namespace
{
const DWORD kdwTimeLimitMs = 120000;

std::string property(MSIHANDLE hInstall, const char* pszName)
{
  char szEmpty[1] = "";
  DWORD dwLength = 0;
  if (MsiGetPropertyA(hInstall, pszName, szEmpty, &dwLength) != ERROR_MORE_DATA)
    return std::string();
  std::string strData(dwLength + 1, '\0');
  ++dwLength;
  if (MsiGetPropertyA(hInstall, pszName, &strData[0], &dwLength) != ERROR_SUCCESS)
    return std::string();
  strData.resize(dwLength);
  return strData;
}

// At most one byte more than the import takes, so that a larger file gets the import's reason.
bool readWhole(const std::string& strFile, std::string& strBytes)
{
  HANDLE hFile = CreateFileA(strFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (hFile == INVALID_HANDLE_VALUE)
    return false;
  char rgchBuffer[65536];
  DWORD dwRead = 0;
  bool fRead = true;
  while (strBytes.size() <= RegistryFile::kcbMaxFile
         && (fRead = ReadFile(hFile, rgchBuffer, sizeof rgchBuffer, &dwRead, nullptr) != 0) && dwRead > 0)
    strBytes.append(rgchBuffer, dwRead);
  CloseHandle(hFile);
  return fRead;
}

// The text goes in as a field, not as the template, so that brackets in it are not formatted.
void logLine(MSIHANDLE hInstall, const std::string& strLine)
{
  MSIHANDLE hRecord = MsiCreateRecord(1);
  MsiRecordSetStringA(hRecord, 0, "[1]");
  MsiRecordSetStringA(hRecord, 1, ("Quilbar settings import: " + strLine).c_str());
  MsiProcessMessage(hInstall, INSTALLMESSAGE_INFO, hRecord);
  MsiCloseHandle(hRecord);
}

// A file rather than a pipe for the program's output: a process the program leaves behind could
// keep a pipe open, a file is read once the program has ended.
HANDLE outputFile()
{
  char szFolder[MAX_PATH] = "";
  char szName[MAX_PATH] = "";
  if (GetTempPathA(MAX_PATH, szFolder) == 0 || GetTempFileNameA(szFolder, "qbi", 0, szName) == 0)
    return INVALID_HANDLE_VALUE;
  SECURITY_ATTRIBUTES inherited = {sizeof(inherited), nullptr, TRUE};
  return CreateFileA(szName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     &inherited, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
}

std::string readBack(HANDLE hFile)
{
  std::string strText;
  char rgchBuffer[4096];
  DWORD dwRead = 0;
  SetFilePointer(hFile, 0, nullptr, FILE_BEGIN);
  while (strText.size() < 65536 && ReadFile(hFile, rgchBuffer, sizeof rgchBuffer, &dwRead, nullptr) && dwRead > 0)
    strText.append(rgchBuffer, dwRead);
  while (!strText.empty() && (strText.back() == '\n' || strText.back() == '\r'))
    strText.pop_back();
  return strText;
}

// The exit code of the command, or a reason of its own when it could not be run.
bool runCommand(std::string strCommand, HANDLE hOutput, DWORD& dwExitCode, std::string& strWhy)
{
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = hOutput;
  startup.hStdError = hOutput;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &strCommand[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &process))
  {
    strWhy = "cannot start " + strCommand + " (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  CloseHandle(process.hThread);
  bool fEnded = WaitForSingleObject(process.hProcess, kdwTimeLimitMs) == WAIT_OBJECT_0;
  if (!fEnded)
  {
    TerminateProcess(process.hProcess, 1);
    strWhy = "the import did not end within " + std::to_string(kdwTimeLimitMs / 1000) + " s";
  }
  GetExitCodeProcess(process.hProcess, &dwExitCode);
  CloseHandle(process.hProcess);
  return fEnded;
}
}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall CheckSettingsFile(MSIHANDLE hInstall)
{
  std::string strFile = property(hInstall, "SETTINGSFILE");
  std::string strBytes;
  std::string strError;
  if (!readWhole(strFile, strBytes))
    strError = "cannot open " + strFile;
  else if (SettingsFile::checkSettings(strBytes, QuilbarProfileStore().getSettingsKeyPath(), strError))
    return ERROR_SUCCESS;
  else
    strError = strFile + ": " + strError;
  logLine(hInstall, strError);
  logLine(hInstall, "refused before anything was installed; the settings are unchanged");
  return ERROR_INSTALL_FAILURE;
}

extern "C" __declspec(dllexport) UINT __stdcall ImportSettings(MSIHANDLE hInstall)
{
  std::string strCommand = property(hInstall, "CustomActionData");
  if (strCommand.empty())
  {
    logLine(hInstall, "no command line was handed over");
    return ERROR_INSTALL_FAILURE;
  }
  logLine(hInstall, strCommand);
  HANDLE hOutput = outputFile();
  if (hOutput == INVALID_HANDLE_VALUE)
  {
    logLine(hInstall, "cannot create a file for the program's output");
    return ERROR_INSTALL_FAILURE;
  }
  DWORD dwExitCode = 1;
  std::string strWhy;
  bool fRan = runCommand(strCommand, hOutput, dwExitCode, strWhy);
  std::string strOutput = readBack(hOutput);
  CloseHandle(hOutput);
  if (!strOutput.empty())
    logLine(hInstall, strOutput);
  if (!fRan)
  {
    logLine(hInstall, strWhy);
    return ERROR_INSTALL_FAILURE;
  }
  if (dwExitCode != 0)
  {
    logLine(hInstall, "refused (exit code " + std::to_string(dwExitCode) + "); the settings are unchanged");
    return ERROR_INSTALL_FAILURE;
  }
  return ERROR_SUCCESS;
}
