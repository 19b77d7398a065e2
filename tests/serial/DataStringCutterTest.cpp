#include "serial/DataStringCutter.h"
#include "RecordingSink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using Strings = std::vector<std::string>;

SerialSettings terminatorSettings(const std::string& strTerminator)
{
  SerialSettings settings;
  settings.strDataStringTerminator = strTerminator;
  return settings;
}

SerialSettings timeoutSettings(uint32_t dwTimeout)
{
  SerialSettings settings;
  settings.dwTerminationType = kTerminationByTimeout;
  settings.dwTerminationTimeout = dwTimeout;
  return settings;
}

// A cutter with its recording sink, started at tick 1000 with all lines low.
struct Rig
{
  explicit Rig(const SerialSettings& settings) : cutter(settings, sink) { cutter.start({}, 1000); }

  void receive(const std::string& str, uint32_t dwNow = 1000)
  {
    cutter.receiveBytes(str.data(), str.size(), dwNow);
  }

  RecordingSink sink;
  DataStringCutter cutter;
};

struct TerminatorRow
{
  const char* pszTerminator;
  std::string strInput;
  Strings rgstrExpected;
};

TEST(DataStringCutterTest, TerminatorsCutDataStrings)
{
  std::vector<TerminatorRow> rgRows = {
    {"<cr>", "AB\r", {"AB"}},
    {"<cr>", "AB", {}},
    {"<cr>", "AB\rCD\r", {"AB", "CD"}},
    {"<CR>,<LF>", "AB\r\n", {"AB", ""}},
    {"<CR><LF>", "AB\r\n", {"AB"}},
    {"<CR><LF>", "AB\rC\n", {}},
    {"<CR><LF>", "AB\r\r\n", {"AB\r"}},
    {"<cr>", "\r", {""}},
    {"<cr>", "\r\r", {"", ""}},
    {"END", "xENDyEN", {"x"}},
    {"\",\"", "A,B,", {"A", "B"}},
    {"<LF>,<CR><LF>", "AB\r\n", {"AB\r"}},
    {"<CR><LF>,<LF>", "AB\r\n", {"AB"}},
    {"<NUL>", std::string("AB\0C", 4), {"AB"}},
    {"<cr>", std::string("A\0B\r", 4), {"A[NULL]B"}},
    {"]", std::string("A\0", 2), {"A[NULL"}},
    {"", "AB\r", {}},
    {"<bad>", "AB\r", {}},
    {"<bad>,<cr>", "AB\r", {"AB"}},
  };
  for (const auto& row : rgRows)
  {
    SCOPED_TRACE(std::string("terminator ") + row.pszTerminator);
    Rig rig(terminatorSettings(row.pszTerminator));
    rig.receive(row.strInput);
    EXPECT_EQ(row.rgstrExpected, rig.sink.m_rgstrHandedOver);
  }
}

TEST(DataStringCutterTest, ChunkBoundariesDoNotMatter)
{
  std::string strInput = "12\r\n345\r\n\r\n6";
  for (size_t nChunk = 1; nChunk <= strInput.size(); ++nChunk)
  {
    SCOPED_TRACE(nChunk);
    Rig rig(terminatorSettings("<CR><LF>"));
    for (size_t nPos = 0; nPos < strInput.size(); nPos += nChunk)
      rig.receive(strInput.substr(nPos, nChunk));
    EXPECT_EQ((Strings{"12", "345", ""}), rig.sink.m_rgstrHandedOver);
  }
}

TEST(DataStringCutterTest, NoPauseEndsADataStringInTerminatorMode)
{
  Rig rig(terminatorSettings("<cr>"));
  rig.receive("AB", 1000);
  for (uint32_t dwNow = 1000; dwNow < 100000; dwNow += 997)
    rig.cutter.idle(dwNow);
  rig.receive("C\r", 100000);
  EXPECT_EQ((Strings{"ABC"}), rig.sink.m_rgstrHandedOver);
}

TEST(DataStringCutterTest, TimeoutEndsTheStringAfterTheLastByte)
{
  // Bytes 10 ms apart form one data string, handed over 30 ms after the last one.
  Rig rig(timeoutSettings(30));
  uint32_t dwNow = 1000;
  for (char c : std::string("ABCD"))
  {
    rig.receive(std::string(1, c), dwNow);
    for (uint32_t dwPass = dwNow + 1; dwPass < dwNow + 10; ++dwPass)
      rig.cutter.idle(dwPass);
    dwNow += 10;
  }
  uint32_t dwLast = dwNow - 10;
  for (uint32_t dwPass = dwLast + 10; dwPass < dwLast + 30; ++dwPass)
    rig.cutter.idle(dwPass);
  EXPECT_TRUE(rig.sink.m_rgstrHandedOver.empty());
  rig.cutter.idle(dwLast + 30);
  EXPECT_EQ((Strings{"ABCD"}), rig.sink.m_rgstrHandedOver);
}

TEST(DataStringCutterTest, TimeoutModeIgnoresTerminators)
{
  Rig rig(timeoutSettings(30));
  rig.receive("AB\rCD\r", 1000);
  rig.cutter.idle(1030);
  EXPECT_EQ((Strings{"AB\rCD\r"}), rig.sink.m_rgstrHandedOver);
}

TEST(DataStringCutterTest, TimeoutHandsOverNothingForAnEmptyBuffer)
{
  Rig rig(timeoutSettings(30));
  for (uint32_t dwNow = 1000; dwNow < 2000; ++dwNow)
    rig.cutter.idle(dwNow);
  EXPECT_TRUE(rig.sink.m_rgstrEvents.empty());
}

TEST(DataStringCutterTest, TimeoutWorksAcrossTheTickWrap)
{
  SerialSettings settings = timeoutSettings(30);
  RecordingSink sink;
  DataStringCutter cutter(settings, sink);
  cutter.start({}, 0xFFFFFFF0u);
  cutter.receiveBytes("X", 1, 0xFFFFFFF5u);
  cutter.idle(0x00000012u);  // 29 ms later
  EXPECT_TRUE(sink.m_rgstrHandedOver.empty());
  cutter.idle(0x00000013u);  // 30 ms later
  EXPECT_EQ((Strings{"X"}), sink.m_rgstrHandedOver);
}

TEST(DataStringCutterTest, ZeroTimeoutEndsEachPassesBytes)
{
  Rig rig(timeoutSettings(0));
  rig.receive("AB", 1000);
  rig.cutter.idle(1000);
  rig.receive("C", 1000);
  rig.cutter.idle(1000);
  EXPECT_EQ((Strings{"AB", "C"}), rig.sink.m_rgstrHandedOver);
}

TEST(DataStringCutterTest, ZeroByteBecomesNullText)
{
  Rig rig(timeoutSettings(30));
  rig.receive(std::string("A\0\0B", 4), 1000);
  rig.cutter.idle(1030);
  EXPECT_EQ((Strings{"A[NULL][NULL]B"}), rig.sink.m_rgstrHandedOver);
}

struct KeyCaseRow
{
  uint32_t dwKeyCase;
  std::string strInput;
  std::string strExpected;
};

TEST(DataStringCutterTest, KeyCaseAppliesBeforeTerminatorsAreLookedAt)
{
  std::vector<KeyCaseRow> rgRows = {
    {kKeyCaseAsReceived, "abC\r", "abC"},
    {kKeyCaseUpper, "abc\r", "ABC"},
    {kKeyCaseLower, "ABC\r", "abc"},
    // The case change happens first, so a lower-case byte can complete an upper-case terminator.
    {kKeyCaseUpper, "abcx", "ABC"},
    {kKeyCaseLower, "ABCX\r", "abcx"},
    // Bytes after a zero byte in the same read are converted as well.
    {kKeyCaseUpper, std::string("a\0b\r", 4), "A[NULL]B"},
    {kKeyCaseUpper, "\xe5\xe4\xf6\r", "\xc5\xc4\xd6"},
    {kKeyCaseLower, "\xc5\xc4\xd6\r", "\xe5\xe4\xf6"},
  };
  for (const auto& row : rgRows)
  {
    SCOPED_TRACE(row.strInput);
    SerialSettings settings = terminatorSettings("<cr>,X");
    settings.dwKeyCase = row.dwKeyCase;
    Rig rig(settings);
    rig.receive(row.strInput);
    ASSERT_EQ(1u, rig.sink.m_rgstrHandedOver.size());
    EXPECT_EQ(row.strExpected, rig.sink.m_rgstrHandedOver[0]);
  }
}

TEST(DataStringCutterTest, RawInputIsLoggedWithTerminatorOnlyWhenLogging)
{
  SerialSettings settings = terminatorSettings("<cr>");
  settings.fLogging = true;
  Rig rig(settings);
  rig.receive("AB\r");
  EXPECT_EQ((Strings{"blink", "log:AB\r", "hand:AB"}), rig.sink.m_rgstrEvents);

  Rig quiet(terminatorSettings("<cr>"));
  quiet.receive("AB\r");
  EXPECT_EQ((Strings{"blink", "hand:AB"}), quiet.sink.m_rgstrEvents);
}

TEST(DataStringCutterTest, TimedOutStringIsLoggedAsHandedOver)
{
  SerialSettings settings = timeoutSettings(30);
  settings.fLogging = true;
  Rig rig(settings);
  rig.receive("AB", 1000);
  rig.cutter.idle(1030);
  EXPECT_EQ((Strings{"blink", "log:AB", "hand:AB"}), rig.sink.m_rgstrEvents);
}

TEST(DataStringCutterTest, EachPassWithDataBlinksOnceAndHidesWhenAsked)
{
  SerialSettings settings = terminatorSettings("<cr>");
  settings.fHideWindow = true;
  Rig rig(settings);
  rig.receive("A\rB\r");
  rig.receive("C");
  rig.receive("");
  EXPECT_EQ((Strings{"hide", "blink", "hand:A", "hand:B", "hide", "blink"}),
            rig.sink.m_rgstrEvents);
}

TEST(DataStringCutterTest, InjectedTextUsesItsOwnBufferAndIsNotLogged)
{
  SerialSettings settings = terminatorSettings("<cr>");
  settings.fLogging = true;
  settings.dwKeyCase = kKeyCaseUpper;
  Rig rig(settings);
  rig.receive("port");
  rig.cutter.injectText("inj\r", 1000);
  rig.receive("data\r");
  EXPECT_EQ((Strings{"blink", "blink", "hand:INJ", "blink", "log:PORTDATA\r", "hand:PORTDATA"}),
            rig.sink.m_rgstrEvents);
}

TEST(DataStringCutterTest, InjectedTextWithoutTerminatorWaitsForTheRest)
{
  Rig rig(terminatorSettings("<cr>"));
  rig.cutter.injectText("12", 1000);
  EXPECT_TRUE(rig.sink.m_rgstrHandedOver.empty());
  rig.cutter.injectText("3\r4", 1000);
  EXPECT_EQ((Strings{"123"}), rig.sink.m_rgstrHandedOver);
}

TEST(DataStringCutterTest, InjectedTextEndsByTheTimeoutLikePortData)
{
  Rig rig(timeoutSettings(30));
  rig.cutter.injectText("INJ", 1000);
  rig.cutter.idle(1029);
  EXPECT_TRUE(rig.sink.m_rgstrHandedOver.empty());
  rig.cutter.idle(1030);
  EXPECT_EQ((Strings{"INJ"}), rig.sink.m_rgstrHandedOver);
}

TEST(DataStringCutterTest, PortDataGoesBeforeInjectedTextAtTheSameTimeout)
{
  Rig rig(timeoutSettings(30));
  rig.receive("PORT", 1000);
  rig.cutter.injectText("INJ", 1005);
  rig.cutter.idle(1034);
  EXPECT_TRUE(rig.sink.m_rgstrHandedOver.empty());
  rig.cutter.idle(1035);
  EXPECT_EQ((Strings{"PORT", "INJ"}), rig.sink.m_rgstrHandedOver);
}

TEST(DataStringCutterTest, StartEmptiesBuffers)
{
  Rig rig(terminatorSettings("<cr>"));
  rig.receive("stale");
  rig.cutter.injectText("stale", 1000);
  rig.cutter.start({}, 2000);
  rig.receive("new\r", 2000);
  rig.cutter.injectText("x\r", 2000);
  EXPECT_EQ((Strings{"new", "x"}), rig.sink.m_rgstrHandedOver);
}

ModemLines lines(bool fCTS, bool fDSR, bool fRI, bool fDCD)
{
  ModemLines levels;
  levels.fCTS = fCTS;
  levels.fDSR = fDSR;
  levels.fRI = fRI;
  levels.fDCD = fDCD;
  return levels;
}

TEST(DataStringCutterTest, CtsHighOnlyReportsEveryRise)
{
  SerialSettings settings;
  settings.fCTSHigh = true;
  Rig rig(settings);
  rig.cutter.modemLines(lines(true, false, false, false));
  rig.cutter.modemLines(lines(true, false, false, false));
  rig.cutter.modemLines(lines(false, false, false, false));
  rig.cutter.modemLines(lines(true, false, false, false));
  EXPECT_EQ((Strings{"[CTS_HIGH]", "[CTS_HIGH]"}), rig.sink.m_rgstrHandedOver);
}

TEST(DataStringCutterTest, LineHighAtStartProducesNothingUntilItChanges)
{
  SerialSettings settings;
  settings.fDSRHigh = true;
  settings.fDSRLow = true;
  RecordingSink sink;
  DataStringCutter cutter(settings, sink);
  cutter.start(lines(false, true, false, false), 0);
  cutter.modemLines(lines(false, true, false, false));
  EXPECT_TRUE(sink.m_rgstrEvents.empty());
  cutter.modemLines(lines(false, false, false, false));
  cutter.modemLines(lines(false, true, false, false));
  EXPECT_EQ((Strings{"[DSR_LOW]", "[DSR_HIGH]"}), sink.m_rgstrHandedOver);
}

struct PinRow
{
  ModemLines levels;
  Strings rgstrExpected;
};

TEST(DataStringCutterTest, EveryLineAndDirectionHasItsTextInLineOrder)
{
  SerialSettings settings;
  settings.fCTSHigh = settings.fCTSLow = settings.fDSRHigh = settings.fDSRLow = true;
  settings.fRIHigh = settings.fRILow = settings.fDCDHigh = settings.fDCDLow = true;
  Rig rig(settings);
  std::vector<PinRow> rgRows = {
    {lines(true, true, true, true), {"[CTS_HIGH]", "[DSR_HIGH]", "[RI_HIGH]", "[DCD_HIGH]"}},
    {lines(false, false, false, false), {"[CTS_LOW]", "[DSR_LOW]", "[RI_LOW]", "[DCD_LOW]"}},
    {lines(false, false, true, false), {"[RI_HIGH]"}},
    {lines(false, true, false, true), {"[DSR_HIGH]", "[RI_LOW]", "[DCD_HIGH]"}},
  };
  for (size_t i = 0; i < rgRows.size(); ++i)
  {
    SCOPED_TRACE(i);
    rig.sink.m_rgstrHandedOver.clear();
    rig.cutter.modemLines(rgRows[i].levels);
    EXPECT_EQ(rgRows[i].rgstrExpected, rig.sink.m_rgstrHandedOver);
  }
}

TEST(DataStringCutterTest, UnwantedChangesStillMoveTheLastLevel)
{
  SerialSettings settings;
  settings.fRIHigh = true;  // RILow off
  Rig rig(settings);
  rig.cutter.modemLines(lines(false, false, true, false));
  rig.cutter.modemLines(lines(false, false, false, false));
  rig.cutter.modemLines(lines(false, false, false, false));
  rig.cutter.modemLines(lines(false, false, true, false));
  EXPECT_EQ((Strings{"[RI_HIGH]", "[RI_HIGH]"}), rig.sink.m_rgstrHandedOver);
}

TEST(DataStringCutterTest, PinTextGoesStraightOutWithoutTouchingTheReceiveBuffer)
{
  SerialSettings settings = terminatorSettings("<cr>");
  settings.fDCDLow = true;
  settings.fLogging = true;
  RecordingSink sink;
  DataStringCutter cutter(settings, sink);
  cutter.start(lines(false, false, false, true), 0);
  cutter.receiveBytes("AB", 2, 0);
  cutter.modemLines(lines(false, false, false, false));
  cutter.receiveBytes("\r", 1, 0);
  EXPECT_EQ((Strings{"blink", "pin", "log:[DCD_LOW]", "hand:[DCD_LOW]", "blink", "log:AB\r",
                     "hand:AB"}),
            sink.m_rgstrEvents);
}
}  // namespace
