// How fast the cutter turns scanner-like lines into data strings, for one and for ten
// terminators, and in time-out mode, each beside a plain splitter fed the same 99-byte reads that
// hands over the same data strings.
#include "serial/DataStringCutter.h"
#include "serial/DataStringSink.h"

#include <benchmark/benchmark.h>

#include <cctype>
#include <string>
#include <vector>

namespace
{
class CountingSink : public DataStringSink
{
public:
  void handOver(const std::string& str) override
  {
    m_nBytes += str.size() + 1;
    if (m_fRecord)
      m_rgstrHandedOver.push_back(str);
  }
  void logRawInput(const std::string&) override {}
  void dataActivity() override {}
  void pinActivity() override {}
  void hideMainWindow() override {}

  size_t m_nBytes = 0;
  bool m_fRecord = false;
  std::vector<std::string> m_rgstrHandedOver;
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

// The reference: bytes gathered until the text ends in one of the terminators (in list order),
// or, in time-out mode, turned to upper case and handed over whole when the line goes quiet.
class PlainSplitter
{
public:
  PlainSplitter(std::vector<std::string> rgstrTerminators, bool fUpperCase, DataStringSink& sink)
    : m_rgstrTerminators(std::move(rgstrTerminators)), m_fUpperCase(fUpperCase), m_sink(sink)
  {
  }

  void receiveBytes(const char* pBytes, size_t nBytes)
  {
    for (size_t i = 0; i < nBytes; ++i)
    {
      char ch = pBytes[i];
      m_strPending += m_fUpperCase ? static_cast<char>(std::toupper(static_cast<unsigned char>(ch))) : ch;
      for (const std::string& strTerminator : m_rgstrTerminators)
      {
        if (m_strPending.size() >= strTerminator.size() &&
            m_strPending.compare(m_strPending.size() - strTerminator.size(), strTerminator.size(), strTerminator) == 0)
        {
          m_strPending.resize(m_strPending.size() - strTerminator.size());
          m_sink.handOver(m_strPending);
          m_strPending.clear();
          break;
        }
      }
    }
  }
  void quiet()
  {
    if (m_rgstrTerminators.empty() && !m_strPending.empty())
      m_sink.handOver(m_strPending);
    if (m_rgstrTerminators.empty())
      m_strPending.clear();
  }

private:
  std::vector<std::string> m_rgstrTerminators;
  bool m_fUpperCase;
  DataStringSink& m_sink;
  std::string m_strPending;
};

// 99-byte reads, as the communication thread makes them, then a second of quiet.
template <typename Cutter>
void feedOnce(Cutter& cutter, const std::string& strInput, uint32_t& dwNow)
{
  for (size_t nPos = 0; nPos < strInput.size(); nPos += 99)
    cutter.receiveBytes(strInput.data() + nPos, std::min<size_t>(99, strInput.size() - nPos), dwNow);
  cutter.idle(dwNow += 1000);
}

// Adapts the splitter to the cutter's calls.
class TimedSplitter
{
public:
  explicit TimedSplitter(PlainSplitter& splitter) : m_splitter(splitter) {}
  void receiveBytes(const char* pBytes, size_t nBytes, uint32_t) { m_splitter.receiveBytes(pBytes, nBytes); }
  void idle(uint32_t) { m_splitter.quiet(); }

private:
  PlainSplitter& m_splitter;
};

void cut(benchmark::State& state, const SerialSettings& settings)
{
  std::string strInput = scannerLines(64 * 1024);
  CountingSink sink;
  DataStringCutter cutter(settings, sink);
  cutter.start(ModemLines(), 0);
  uint32_t dwNow = 0;
  for (auto _ : state)
    feedOnce(cutter, strInput, dwNow);
  benchmark::DoNotOptimize(sink.m_nBytes);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * strInput.size()));
}

void cutPlainly(benchmark::State& state, const SerialSettings& settings, const std::vector<std::string>& rgstrTerminators)
{
  std::string strInput = scannerLines(64 * 1024);
  CountingSink cutterSink, plainSink;
  cutterSink.m_fRecord = plainSink.m_fRecord = true;
  DataStringCutter cutter(settings, cutterSink);
  cutter.start(ModemLines(), 0);
  PlainSplitter splitter(rgstrTerminators, settings.dwKeyCase == kKeyCaseUpper, plainSink);
  TimedSplitter timed(splitter);
  uint32_t dwNow = 0;
  feedOnce(cutter, strInput, dwNow);
  feedOnce(timed, strInput, dwNow);
  if (plainSink.m_rgstrHandedOver != cutterSink.m_rgstrHandedOver)
    state.SkipWithError("the plain splitter hands over other data strings than the cutter");
  plainSink.m_fRecord = false;
  for (auto _ : state)
    feedOnce(timed, strInput, dwNow);
  benchmark::DoNotOptimize(plainSink.m_nBytes);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * strInput.size()));
}

void BM_CutOneTerminator(benchmark::State& state)
{
  SerialSettings settings;
  cut(state, settings);
}
BENCHMARK(BM_CutOneTerminator);

void BM_CutOneTerminator_Reference(benchmark::State& state)
{
  cutPlainly(state, SerialSettings(), {"\r"});
}
BENCHMARK(BM_CutOneTerminator_Reference);

const char kszTenTerminators[] = "<ETX>,<EOT>,<GS>,<RS>,<US>,<FS>,<LF><LF>,END,\"#,\",<CR>";

void BM_CutTenTerminators(benchmark::State& state)
{
  SerialSettings settings;
  settings.strDataStringTerminator = kszTenTerminators;
  cut(state, settings);
}
BENCHMARK(BM_CutTenTerminators);

void BM_CutTenTerminators_Reference(benchmark::State& state)
{
  SerialSettings settings;
  settings.strDataStringTerminator = kszTenTerminators;
  cutPlainly(state, settings, {"\x03", "\x04", "\x1D", "\x1E", "\x1F", "\x1C", "\n\n", "END", "#,", "\r"});
}
BENCHMARK(BM_CutTenTerminators_Reference);

void BM_CutByTimeoutWithUpperCase(benchmark::State& state)
{
  SerialSettings settings;
  settings.dwTerminationType = kTerminationByTimeout;
  settings.dwKeyCase = kKeyCaseUpper;
  cut(state, settings);
}
BENCHMARK(BM_CutByTimeoutWithUpperCase);

void BM_CutByTimeoutWithUpperCase_Reference(benchmark::State& state)
{
  SerialSettings settings;
  settings.dwTerminationType = kTerminationByTimeout;
  settings.dwKeyCase = kKeyCaseUpper;
  cutPlainly(state, settings, {});
}
BENCHMARK(BM_CutByTimeoutWithUpperCase_Reference);
}  // namespace
