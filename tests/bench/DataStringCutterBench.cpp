// How fast the cutter turns scanner-like lines into data strings, for one and for ten
// terminators, and in time-out mode.
#include "serial/DataStringCutter.h"
#include "serial/DataStringSink.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{
class CountingSink : public DataStringSink
{
public:
  void handOver(const std::string& str) override { m_nBytes += str.size() + 1; }
  void logRawInput(const std::string&) override {}
  void dataActivity() override {}
  void pinActivity() override {}
  void hideMainWindow() override {}

  size_t m_nBytes = 0;
};

std::string scannerLines(size_t nBytes)
{
  std::string strAll;
  for (size_t n = 0; strAll.size() < nBytes; ++n)
  {
    std::string strLine = "4006381333931-" + std::to_string(n);
    while (strLine.size() < 20 + n % 41)
      strLine += 'X';
    strAll += strLine + "\r";
  }
  return strAll;
}

void cut(benchmark::State& state, const SerialSettings& settings)
{
  std::string strInput = scannerLines(64 * 1024);
  CountingSink sink;
  DataStringCutter cutter(settings, sink);
  cutter.start(ModemLines(), 0);
  uint32_t dwNow = 0;
  for (auto _ : state)
  {
    // 99-byte reads, as the communication thread makes them.
    for (size_t nPos = 0; nPos < strInput.size(); nPos += 99)
      cutter.receiveBytes(strInput.data() + nPos, std::min<size_t>(99, strInput.size() - nPos),
                          dwNow);
    cutter.idle(dwNow += 1000);
  }
  benchmark::DoNotOptimize(sink.m_nBytes);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * strInput.size()));
}

void BM_CutOneTerminator(benchmark::State& state)
{
  SerialSettings settings;
  cut(state, settings);
}
BENCHMARK(BM_CutOneTerminator);

void BM_CutTenTerminators(benchmark::State& state)
{
  SerialSettings settings;
  settings.strDataStringTerminator = "<ETX>,<EOT>,<GS>,<RS>,<US>,<FS>,<LF><LF>,END,\"#,\",<CR>";
  cut(state, settings);
}
BENCHMARK(BM_CutTenTerminators);

void BM_CutByTimeoutWithUpperCase(benchmark::State& state)
{
  SerialSettings settings;
  settings.dwTerminationType = kTerminationByTimeout;
  settings.dwKeyCase = kKeyCaseUpper;
  cut(state, settings);
}
BENCHMARK(BM_CutByTimeoutWithUpperCase);
}  // namespace
