// Proves that the Wine harness gives tests real parts: a null-modem pair of COM ports driven with
// the overlapped I/O and time-outs the communication thread uses, and a writable registry.
#include "TestComPort_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace
{
class OwnedHandle
{
public:
  explicit OwnedHandle(HANDLE h = INVALID_HANDLE_VALUE) : m_h(h) {}
  ~OwnedHandle()
  {
    if (valid())
      CloseHandle(m_h);
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  HANDLE get() const { return m_h; }
  bool valid() const { return m_h != INVALID_HANDLE_VALUE && m_h != nullptr; }

private:
  HANDLE m_h;
};

DWORD overlappedTransfer(HANDLE hPort, bool fWrite, void* pBuffer, DWORD dwLength)
{
  OVERLAPPED ov = {};
  OwnedHandle hEvent(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  ov.hEvent = hEvent.get();
  DWORD dwDone = 0;
  BOOL fOk = fWrite ? WriteFile(hPort, pBuffer, dwLength, &dwDone, &ov)
                    : ReadFile(hPort, pBuffer, dwLength, &dwDone, &ov);
  if (!fOk && GetLastError() == ERROR_IO_PENDING)
    fOk = GetOverlappedResult(hPort, &ov, &dwDone, TRUE);
  return fOk ? dwDone : 0;
}

DWORD waitingBytes(HANDLE hPort)
{
  DWORD dwErrors = 0;
  COMSTAT stat = {};
  if (!ClearCommError(hPort, &dwErrors, &stat))
    return 0;
  return stat.cbInQue;
}
}  // namespace

TEST(HarnessSmokeTest, BytesCrossTheNullModemPair)
{
  OwnedHandle hSend(openTestComPort("COM3", true));
  OwnedHandle hReceive(openTestComPort("COM4", true));
  ASSERT_TRUE(hSend.valid()) << "COM3 did not open: error " << GetLastError();
  ASSERT_TRUE(hReceive.valid()) << "COM4 did not open: error " << GetLastError();

  std::string strSent("4006381333931\r\x1D\xE9", 16);
  ASSERT_EQ(strSent.size(), overlappedTransfer(hSend.get(), true, &strSent[0], DWORD(strSent.size())));

  std::string strReceived;
  DWORD dwStart = GetTickCount();
  while (strReceived.size() < strSent.size() && GetTickCount() - dwStart < 5000)
  {
    DWORD dwWaiting = waitingBytes(hReceive.get());
    if (dwWaiting == 0)
    {
      Sleep(1);
      continue;
    }
    char rgBuffer[99];
    DWORD dwRead = overlappedTransfer(hReceive.get(), false, rgBuffer,
                                      dwWaiting < sizeof rgBuffer ? dwWaiting : sizeof rgBuffer);
    strReceived.append(rgBuffer, dwRead);
  }
  EXPECT_EQ(strSent, strReceived) << "waited 5 s for the bytes to reach COM4";
}

TEST(HarnessSmokeTest, RegistryValueUnderLocalMachineRoundTrips)
{
  const char* kszKey = "Software\\QuilbarHarnessSmokeTest";
  HKEY hKey = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kszKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                           nullptr, &hKey, nullptr));
  const char szValue[] = "COM3";
  EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(hKey, "Port", 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>(szValue), sizeof szValue));
  char szRead[16] = "";
  DWORD dwType = 0;
  DWORD dwSize = sizeof szRead;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(hKey, "PORT", nullptr, &dwType,
                                            reinterpret_cast<BYTE*>(szRead), &dwSize))
      << "value names are compared without regard to case";
  EXPECT_EQ(DWORD(REG_SZ), dwType);
  EXPECT_STREQ("COM3", szRead);
  RegCloseKey(hKey);
  EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_LOCAL_MACHINE, kszKey));
}
