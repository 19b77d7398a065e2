// The serial path end to end on the virtual null-modem pair (COM2 writes, the reader takes COM1
// and posts each data string to a window), the port owner against a bare polling loop of the same
// design (BarePortPoller) on the same port, taking turns at going first:
//   - idle CPU of the whole process and of the Wine server, which answers every wait and port call
//     of a polling loop, over at least 20 s per side in alternating segments, and the context
//     switches of both (each wake-up of a thread is one);
//   - latency from the write of a line to its data string at the window, over at least 1,000
//     samples per side; a sample that does not arrive, or arrives changed, counts as failed;
//   - throughput of 1 MB of scanner-like lines, every data string compared with what was sent.
// Run under the Wine harness (scripts/bench.sh does, and names the Wine server):
//   serial_bench.exe [idle seconds per side] [latency samples per side] [throughput rounds]
#include "BarePortPoller_win.h"
#include "BenchRow.h"
#include "BenchStatistics.h"
#include "ProcessCpuMeter_win.h"
#include "SerialTestRig_win.h"
#include "serial/PortOwner_win.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace
{
const int kIdleSegmentSeconds = 4;
const int kLatencyBlock = 100;
// After an opening, the first passes (and the port owner's start-up) are not part of idling.
const auto kSettle = 300ms;

// A reader of COM1 that posts to the window: the port owner, or the reference.
struct Reader
{
  std::function<bool()> open;
  std::function<void()> close;
};

double toMs(Clock::duration d)
{
  return std::chrono::duration<double, std::milli>(d).count();
}

// Sleeps in the message loop until the time is up: the window's own loop must not be what the
// idle figures measure.
void idleFor(TestWindow& window, std::chrono::milliseconds duration)
{
  auto deadline = Clock::now() + duration;
  for (auto now = Clock::now(); now < deadline; now = Clock::now())
  {
    auto msLeft = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(msLeft) + 1, QS_ALLINPUT);
    window.pumpUntil([] { return true; }, 0ms);
  }
}

struct IdleSide
{
  std::vector<double> rgdProcess, rgdServer, rgdTotal, rgdSwitches, rgdServerSwitches;
  size_t nFailed = 0;
};

void measureIdleSegment(Reader& reader, TestWindow& window, const ProcessCpuMeter& meter, IdleSide& side)
{
  if (!reader.open())
  {
    ++side.nFailed;
    return;
  }
  window.pumpFor(kSettle);
  ProcessCpuMeter::Reading before = meter.read();
  idleFor(window, std::chrono::seconds(kIdleSegmentSeconds));
  ProcessCpuMeter::Reading after = meter.read();
  reader.close();
  ProcessCpuMeter::Rates rates = ProcessCpuMeter::ratesBetween(before, after);
  side.rgdProcess.push_back(rates.dProcess);
  side.rgdServer.push_back(rates.dServer);
  side.rgdTotal.push_back(rates.total());
  side.rgdSwitches.push_back(rates.dSwitches);
  side.rgdServerSwitches.push_back(rates.dServerSwitches);
}

BenchRow row(const std::string& strName, const std::string& strUnit, double dFigure, double dReference,
             size_t nSamples, size_t nFailedFigure, size_t nFailedReference)
{
  BenchRow benchRow;
  benchRow.strName = strName;
  benchRow.strUnit = strUnit;
  benchRow.dFigure = dFigure;
  benchRow.dReference = dReference;
  benchRow.nSamples = nSamples;
  benchRow.nFailedFigure = nFailedFigure;
  benchRow.nFailedReference = nFailedReference;
  return benchRow;
}

// Each measurement returns how many of its samples failed.
size_t measureIdle(Reader& owner, Reader& bare, TestWindow& window, int nSecondsPerSide)
{
  ProcessCpuMeter meter;
  std::string strWhy;
  if (!meter.hasServer(strWhy))
    std::fprintf(stderr, "serial_bench: no Wine server figures: %s\n", strWhy.c_str());
  int nSegments = (nSecondsPerSide + kIdleSegmentSeconds - 1) / kIdleSegmentSeconds;
  IdleSide ownerSide, bareSide;
  alternateRounds(
      nSegments, [&](int) { measureIdleSegment(owner, window, meter, ownerSide); },
      [&](int) { measureIdleSegment(bare, window, meter, bareSide); });
  std::string strSpan = " (" + std::to_string(nSegments * kIdleSegmentSeconds) + " s a side)";
  auto idleRow = [&](const char* pszWhat, const std::vector<double>& rgdOwner, const std::vector<double>& rgdBare,
                     const char* pszUnit = "CPU ms/s") {
    printBenchRow(row(std::string("serial idle: ") + pszWhat + strSpan, pszUnit, benchstats::median(rgdOwner),
                      benchstats::median(rgdBare), static_cast<size_t>(nSegments), ownerSide.nFailed,
                      bareSide.nFailed));
  };
  idleRow("process CPU", ownerSide.rgdProcess, bareSide.rgdProcess);
  idleRow("Wine server CPU", ownerSide.rgdServer, bareSide.rgdServer);
  idleRow("process + Wine server CPU", ownerSide.rgdTotal, bareSide.rgdTotal);
  idleRow("context switches of the process's threads", ownerSide.rgdSwitches, bareSide.rgdSwitches, "switches/s");
  idleRow("context switches of the Wine server", ownerSide.rgdServerSwitches, bareSide.rgdServerSwitches,
          "switches/s");
  return ownerSide.nFailed + bareSide.nFailed;
}

struct LatencySide
{
  std::vector<double> rgdMs;
  size_t nFailed = 0;
};

void measureLatencyBlock(Reader& reader, TestWindow& window, PeerPort& peer, int nBlock, LatencySide& side)
{
  if (!reader.open())
  {
    side.nFailed += kLatencyBlock;
    return;
  }
  window.pumpFor(kSettle);
  for (int n = 0; n < kLatencyBlock; ++n)
  {
    window.m_rgstrDataStrings.clear();
    window.m_rgArrivals.clear();
    // Writes fall at different points of the reader's 1 ms cycle.
    window.pumpFor(std::chrono::milliseconds(3 + n % 7));
    char szLine[64];
    std::snprintf(szLine, sizeof szLine, "%04d%04d-0123456789012345678", nBlock, n);
    auto written = Clock::now();
    bool fArrived = peer.write(std::string(szLine) + "\r") &&
                    window.pumpUntil([&] { return !window.m_rgArrivals.empty(); }, 2000ms);
    if (fArrived)
      window.pumpFor(2ms);  // a second, unexpected data string would show here
    if (!fArrived || window.m_rgstrDataStrings != std::vector<std::string>{szLine})
    {
      ++side.nFailed;
      continue;
    }
    side.rgdMs.push_back(toMs(window.m_rgArrivals[0] - written));
  }
  reader.close();
  peer.drain();
}

size_t measureLatency(Reader& owner, Reader& bare, TestWindow& window, PeerPort& peer, int nSamplesPerSide)
{
  int nBlocks = (nSamplesPerSide + kLatencyBlock - 1) / kLatencyBlock;
  LatencySide ownerSide, bareSide;
  alternateRounds(
      nBlocks, [&](int nBlock) { measureLatencyBlock(owner, window, peer, nBlock, ownerSide); },
      [&](int nBlock) { measureLatencyBlock(bare, window, peer, nBlock, bareSide); });
  size_t nSamples = static_cast<size_t>(nBlocks * kLatencyBlock);
  printBenchRow(row("serial latency, write to window: median", "ms", benchstats::median(ownerSide.rgdMs),
                    benchstats::median(bareSide.rgdMs), nSamples, ownerSide.nFailed, bareSide.nFailed));
  printBenchRow(row("serial latency, write to window: p99", "ms", benchstats::percentile(ownerSide.rgdMs, 0.99),
                    benchstats::percentile(bareSide.rgdMs, 0.99), nSamples, ownerSide.nFailed, bareSide.nFailed));
  return ownerSide.nFailed + bareSide.nFailed;
}

std::vector<std::string> scannerLines(size_t nBytes, std::string& strAll)
{
  std::vector<std::string> rgstrLines;
  strAll.clear();
  while (strAll.size() < nBytes)
  {
    size_t n = rgstrLines.size();
    std::string strLine = "4006381333931-" + std::to_string(n);
    while (strLine.size() < 20 + n % 41)
      strLine += 'X';
    strAll += strLine + "\r";
    rgstrLines.push_back(std::move(strLine));
  }
  return rgstrLines;
}

struct ThroughputSide
{
  std::vector<double> rgdUsPerString;
  size_t nFailed = 0;
};

void measureThroughputRound(Reader& reader, TestWindow& window, PeerPort& peer, const std::string& strAll,
                            const std::vector<std::string>& rgstrLines, ThroughputSide& side)
{
  if (!reader.open())
  {
    ++side.nFailed;
    return;
  }
  window.pumpFor(kSettle);
  window.m_rgstrDataStrings.clear();
  window.m_rgArrivals.clear();
  auto start = Clock::now();
  bool fWritten = false;
  std::thread writer([&] { fWritten = peer.write(strAll, 30000ms); });
  window.pumpUntil([&] { return window.m_rgstrDataStrings.size() >= rgstrLines.size(); }, 120000ms);
  auto elapsed = Clock::now() - start;
  writer.join();
  window.pumpFor(50ms);  // anything beyond the lines sent would show here
  reader.close();
  peer.drain();
  if (!fWritten || window.m_rgstrDataStrings != rgstrLines)
  {
    ++side.nFailed;
    return;
  }
  side.rgdUsPerString.push_back(toMs(elapsed) * 1000.0 / static_cast<double>(rgstrLines.size()));
}

size_t measureThroughput(Reader& owner, Reader& bare, TestWindow& window, PeerPort& peer, int nRounds)
{
  std::string strAll;
  std::vector<std::string> rgstrLines = scannerLines(1000000, strAll);
  ThroughputSide ownerSide, bareSide;
  alternateRounds(
      nRounds, [&](int) { measureThroughputRound(owner, window, peer, strAll, rgstrLines, ownerSide); },
      [&](int) { measureThroughputRound(bare, window, peer, strAll, rgstrLines, bareSide); });
  printBenchRow(row("serial throughput, 1 MB in " + std::to_string(rgstrLines.size()) + " lines",
                    "us/data string", benchstats::median(ownerSide.rgdUsPerString),
                    benchstats::median(bareSide.rgdUsPerString), static_cast<size_t>(nRounds), ownerSide.nFailed,
                    bareSide.nFailed));
  return ownerSide.nFailed + bareSide.nFailed;
}
}  // namespace

int main(int argc, char** argv)
{
  int nIdleSeconds = argc > 1 ? std::atoi(argv[1]) : 24;
  int nLatencySamples = argc > 2 ? std::atoi(argv[2]) : 1000;
  int nThroughputRounds = argc > 3 ? std::atoi(argv[3]) : 3;
  RecordingHost host;
  TestWindow window;
  PortOwner owner(window.hwnd(), host);
  BarePortPoller poller(window.hwnd());
  PeerPort peer("\\\\.\\COM2");
  QuilbarProfile profile = com1Profile();
  if (!peer.isOpen())
  {
    std::fprintf(stderr, "serial_bench: cannot open COM2\n");
    return 1;
  }
  Reader ownerReader{[&] { return owner.OpenPort(profile); }, [&] { owner.ClosePort(); }};
  Reader bareReader{[&] { return poller.open(profile); }, [&] { poller.close(); }};
  size_t nFailed = measureIdle(ownerReader, bareReader, window, nIdleSeconds);
  nFailed += measureLatency(ownerReader, bareReader, window, peer, nLatencySamples);
  nFailed += measureThroughput(ownerReader, bareReader, window, peer, nThroughputRounds);
  for (const std::string& strError : host.errors())
    std::fprintf(stderr, "serial_bench: the port owner reported: %s\n", strError.c_str());
  return nFailed == 0 && host.errors().empty() ? 0 : 1;
}
