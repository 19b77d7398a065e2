// Arbitrary terminator texts, modes, time-outs and sequences of bytes, injected text, line levels
// and clock ticks: the cutter must not crash, never hand over a zero byte or a data string longer
// than its limit, and in time-out mode without injected text must hand over exactly the bytes it
// received, in order. Replay lines are parsed from the same input, and a formatted raw-input line
// must parse back to its bytes. Two cutters live across all inputs and get every input repeated to
// at least 16 KB, as port bytes and as injected text, one with a terminator that hardly ever comes
// and one with a time-out that never passes: an unbounded buffer would pass the memory limit fast.
#include "serial/DataStringCutter.h"
#include "serial/DataStringSink.h"
#include "serial/KeyCase.h"
#include "serial/NullByte.h"
#include "serial/RawInputLine.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
class CheckingSink : public DataStringSink
{
public:
  void handOver(const std::string& str) override
  {
    if (str.find('\0') != std::string::npos || str.size() > DataStringCutter::kcchMaxDataString + 5)
      std::abort();
    if (m_fKeep)
      m_strAll += str;
  }
  void logRawInput(const std::string&) override {}
  void dataActivity() override {}
  void pinActivity() override {}
  void hideMainWindow() override {}

  std::string m_strAll;
  bool m_fKeep = true;
};

// The cutters that live across inputs.
struct LongLivedCutters
{
  LongLivedCutters() : byTerminator(terminatorSettings(), sink), byTimeout(timeoutSettings(), sink)
  {
    sink.m_fKeep = false;
    byTerminator.start(ModemLines(), 0);
    byTimeout.start(ModemLines(), 0);
  }
  static SerialSettings terminatorSettings()
  {
    SerialSettings settings;
    settings.strDataStringTerminator = "\\x01\\x02\\x03\\x04\\x05";
    return settings;
  }
  static SerialSettings timeoutSettings()
  {
    SerialSettings settings;
    settings.dwTerminationType = kTerminationByTimeout;
    settings.dwTerminationTimeout = 0xFFFFFFFF;
    return settings;
  }
  // At least 16 KB of the input's bytes each way, every time.
  void feed(const uint8_t* pData, size_t nSize)
  {
    std::string strText(reinterpret_cast<const char*>(pData), nSize);
    while (!strText.empty() && strText.size() < 16 * 1024)
      strText += strText;
    byTerminator.receiveBytes(strText.data(), strText.size(), 0);
    byTerminator.injectText(strText, 0);
    byTimeout.receiveBytes(strText.data(), strText.size(), 0);
    byTimeout.idle(1);
    if (byTerminator.bufferedLength() > 2 * (DataStringCutter::kcchMaxDataString + 5)
        || byTimeout.bufferedLength() > DataStringCutter::kcchMaxDataString + 5)
      std::abort();
  }

  CheckingSink sink;
  DataStringCutter byTerminator;
  DataStringCutter byTimeout;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  static LongLivedCutters s_longLived;
  s_longLived.feed(pData, nSize);

  FuzzedDataProvider provider(pData, nSize);
  SerialSettings settings;
  settings.dwTerminationType = provider.ConsumeIntegralInRange<uint32_t>(0, 1);
  settings.dwKeyCase = provider.ConsumeIntegralInRange<uint32_t>(0, 3);
  settings.dwTerminationTimeout = provider.ConsumeIntegralInRange<uint32_t>(0, 100);
  settings.fLogging = provider.ConsumeBool();
  settings.fCTSHigh = settings.fDSRLow = settings.fRIHigh = settings.fDCDLow = true;
  settings.strDataStringTerminator = provider.ConsumeRandomLengthString(64);

  CheckingSink sink;
  DataStringCutter cutter(settings, sink);
  uint32_t dwNow = provider.ConsumeIntegral<uint32_t>();
  cutter.start(ModemLines(), dwNow);
  bool fInjected = false;
  bool fPins = false;
  std::string strExpected;
  while (provider.remaining_bytes() > 0)
  {
    switch (provider.ConsumeIntegralInRange<int>(0, 3))
    {
      case 0:
      {
        std::string strBytes = provider.ConsumeRandomLengthString(200);
        cutter.receiveBytes(strBytes.data(), strBytes.size(), dwNow);
        applyKeyCase(strBytes, settings.dwKeyCase);
        strExpected += expandNullBytes(strBytes);
        break;
      }
      case 1:
        cutter.injectText(provider.ConsumeRandomLengthString(50), dwNow);
        fInjected = true;
        break;
      case 2:
      {
        ModemLines lines;
        lines.fCTS = provider.ConsumeBool();
        lines.fDSR = provider.ConsumeBool();
        lines.fRI = provider.ConsumeBool();
        lines.fDCD = provider.ConsumeBool();
        cutter.modemLines(lines);
        fPins = true;
        break;
      }
      default:
        dwNow += provider.ConsumeIntegralInRange<uint32_t>(0, 200);
        cutter.idle(dwNow);
        break;
    }
  }
  cutter.idle(dwNow + settings.dwTerminationTimeout);
  if (settings.dwTerminationType == kTerminationByTimeout && !fInjected && !fPins &&
      sink.m_strAll != strExpected)
    std::abort();

  std::string strLine(reinterpret_cast<const char*>(pData), nSize);
  std::string strBytes;
  parseReplayLine(strLine, strBytes);
  std::string strBack;
  std::string strRaw(reinterpret_cast<const char*>(pData), nSize);
  bool fParsed = parseReplayLine("2007-03-01 14:05:09.042 RAW INPUT DATA: " + formatRawInput(strRaw),
                                 strBack);
  if (fParsed != !strRaw.empty() || strBack != strRaw)
    std::abort();
  return 0;
}
