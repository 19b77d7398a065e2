// The cutter's buffers stay bounded whatever arrives: a device that never sends its terminator,
// injected text without one, a stream of zero bytes (six characters each), a time-out too long to
// ever end a string. What has arrived goes out in pieces of the length limit, each reported, and
// nothing is lost or reordered.
#include "serial/DataStringCutter.h"
#include "serial/DataStringSink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
const size_t kcchLimit = 64 * 1024;

// Keeps counts rather than the strings: the streams here run to gigabytes.
class CountingSink : public DataStringSink
{
public:
  void handOver(const std::string& str) override
  {
    ++m_nStrings;
    m_cchTotal += str.size();
    if (str.size() > m_cchLongest)
      m_cchLongest = str.size();
    if (m_fKeep)
      m_rgstrKept.push_back(str);
  }
  void logRawInput(const std::string&) override {}
  void dataActivity() override {}
  void pinActivity() override {}
  void hideMainWindow() override {}
  void cutAtLengthLimit(size_t nLength) override
  {
    ++m_nCuts;
    m_cchCut += nLength;
  }

  size_t m_nStrings = 0;
  size_t m_cchTotal = 0;
  size_t m_cchLongest = 0;
  size_t m_nCuts = 0;
  size_t m_cchCut = 0;
  bool m_fKeep = false;
  std::vector<std::string> m_rgstrKept;
};

SerialSettings terminatorSettings(const std::string& strTerminator)
{
  SerialSettings settings;
  settings.strDataStringTerminator = strTerminator;
  return settings;
}

// The largest text another program may inject (64 KiB with its zero byte), 20,000 times without
// a terminator: before, all of it piled up in the external buffer (1.3 GB) until the allocation
// failed and the program ended with every queued string. Never more than one limit may wait.
TEST(DataStringCutterLimitTest, UnterminatedInjectionsKeepMemoryFlat)
{
  const int knInjections = 20000;
  const std::string strInjected(kcchLimit - 1, 'A');
  CountingSink sink;
  DataStringCutter cutter(terminatorSettings("<cr>"), sink);
  cutter.start({}, 1000);
  for (int i = 1; i <= knInjections; ++i)
  {
    cutter.injectText(strInjected, 1000);
    size_t cchInjected = static_cast<size_t>(i) * strInjected.size();
    ASSERT_LE(cchInjected - sink.m_cchTotal, kcchLimit) << "after injection " << i << " more than the limit waits";
  }
  EXPECT_EQ(kcchLimit, sink.m_cchLongest);
  EXPECT_EQ(sink.m_nStrings, sink.m_nCuts);
  EXPECT_EQ(sink.m_cchTotal, sink.m_cchCut);
  cutter.injectText("\r", 1000);
  EXPECT_EQ(static_cast<size_t>(knInjections) * strInjected.size(), sink.m_cchTotal) << "nothing lost";
}

// Ten megabytes of zero bytes as the communication thread reads them (99 at a time): 60 million
// characters of "[NULL]", handed over in whole "[NULL]"s, none longer than the limit allows.
TEST(DataStringCutterLimitTest, TenMegabytesOfZeroBytesGoOutInBoundedPieces)
{
  const size_t kcbStream = 10 * 1024 * 1024;
  const std::string strChunk(99, '\0');
  CountingSink sink;
  sink.m_fKeep = true;
  DataStringCutter cutter(terminatorSettings("<cr>"), sink);
  cutter.start({}, 1000);
  size_t cbSent = 0;
  while (cbSent < kcbStream)
  {
    size_t cb = kcbStream - cbSent < strChunk.size() ? kcbStream - cbSent : strChunk.size();
    cutter.receiveBytes(strChunk.data(), cb, 1000);
    cbSent += cb;
    ASSERT_LE(cbSent * 6 - sink.m_cchTotal, kcchLimit + 6) << "after " << cbSent << " bytes";
  }
  cutter.receiveBytes("\r", 1, 1000);
  EXPECT_EQ(kcbStream * 6, sink.m_cchTotal);
  EXPECT_LE(sink.m_cchLongest, kcchLimit + 5);
  for (const std::string& str : sink.m_rgstrKept)
  {
    ASSERT_EQ(0u, str.size() % 6);
    ASSERT_EQ(0u, str.find("[NULL]"));
  }
}

// A time-out that never passes (0xFFFFFFFF ms stored in an old profile) cannot hold a busy line's
// bytes for ever either.
TEST(DataStringCutterLimitTest, EndlessTimeoutCutsAtTheLimit)
{
  SerialSettings settings;
  settings.dwTerminationType = kTerminationByTimeout;
  settings.dwTerminationTimeout = 0xFFFFFFFF;
  CountingSink sink;
  DataStringCutter cutter(settings, sink);
  cutter.start({}, 1000);
  const std::string strChunk(99, 'x');
  for (int i = 0; i < 3000; ++i)
  {
    cutter.receiveBytes(strChunk.data(), strChunk.size(), 1000 + i);
    cutter.idle(1001 + i);
  }
  EXPECT_EQ(3000u * 99 / kcchLimit, sink.m_nStrings);
  EXPECT_EQ(kcchLimit, sink.m_cchLongest);
  EXPECT_EQ(sink.m_nCuts, sink.m_nStrings);
}

// A terminator split by the cut still ends the overlong data string: its first byte is kept for
// the next piece, and no empty data string and no stray byte follows.
TEST(DataStringCutterLimitTest, TerminatorSplitByTheCutStillEndsTheString)
{
  CountingSink sink;
  sink.m_fKeep = true;
  DataStringCutter cutter(terminatorSettings("<CR><LF>"), sink);
  cutter.start({}, 1000);
  std::string strInput(kcchLimit - 1, 'A');
  strInput += "\r\nB\r\n";
  cutter.receiveBytes(strInput.data(), strInput.size(), 1000);
  ASSERT_EQ(2u, sink.m_rgstrKept.size());
  EXPECT_EQ(std::string(kcchLimit - 1, 'A'), sink.m_rgstrKept[0]);
  EXPECT_EQ("B", sink.m_rgstrKept[1]);
  EXPECT_EQ(1u, sink.m_nCuts);
}
}  // namespace
