// Typing speed under Wine: the emitter with delay 0 against a raw loop that makes the emitter's
// steps with the same calls (the input-injection call for keys and Unicode characters, and the
// wait of the inter-character delay, 0, after each event), both typing the same 1,000 characters
// (letters, digits, Enter) into the target program's edit control. The target reports the arrival
// itself (no polling across processes while the keys come in), every run is checked by content,
// rounds take turns at which side goes first, and a run whose text does not arrive intact counts
// as failed.
//   keyboard_typing_bench.exe [rounds]     (default 9; prints BENCH rows, see BenchRow.h)
#include "BenchRow.h"
#include "BenchStatistics.h"
#include "KeyTargetProcess_win.h"
#include "base/UniqueResource_win.h"
#include "keyboard/ForegroundWindow_win.h"
#include "keyboard/KeyEventSink_win.h"
#include "keyboard/KeystrokeEmitter.h"
#include "keyboard/KeystrokePlanner.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

// How long the text may take to arrive after the typing call returned.
const DWORD kdwArrivalPatienceMs = 10000;

struct Run
{
  bool fOk = false;
  double dCallMs = 0;     // until the typing call returned
  double dArrivalMs = 0;  // until the last character was in the edit control
};

struct Side
{
  std::vector<double> rgdCallMs, rgdArrivalMs;
  size_t nFailed = 0;

  void add(const Run& run)
  {
    if (!run.fOk)
    {
      ++nFailed;
      return;
    }
    rgdCallMs.push_back(run.dCallMs);
    rgdArrivalMs.push_back(run.dArrivalMs);
  }
};

class NoCapsLock : public CapsLockState
{
public:
  int getCapsLockState() const override { return 0; }
};

std::string benchText()
{
  const char kszChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string strText;
  for (int i = 0; i < 1000; ++i)
    strText += (i % 50 == 49) ? '\r' : kszChars[i % (sizeof kszChars - 1)];
  return strText;
}

// What the edit control holds afterwards: it turns each carriage return into CR LF.
std::string arrivedText(const std::string& strText)
{
  std::string strArrived;
  for (char ch : strText)
    strArrived += ch == '\r' ? std::string("\r\n") : std::string(1, ch);
  return strArrived;
}

// The steps a plain typing loop makes for letters, digits and Enter: a Unicode press and release per
// character, Enter pressed and released as a key, each event followed by the delay's wait (0).
std::vector<KeyStep> referenceSteps(const std::string& strText)
{
  std::vector<KeyStep> rgSteps;
  for (char ch : strText)
  {
    if (ch == '\r')
      rgSteps.insert(rgSteps.end(), {KeyStep::key(VK_RETURN, 0x1C, 0), KeyStep::wait(0),
                                     KeyStep::key(VK_RETURN, 0x1C, KEYEVENTF_KEYUP), KeyStep::wait(0)});
    else
      rgSteps.insert(rgSteps.end(), {KeyStep::unicode(static_cast<unsigned char>(ch)), KeyStep::wait(0),
                                     KeyStep::unicode(static_cast<unsigned char>(ch), kdwKeyUp), KeyStep::wait(0)});
  }
  return rgSteps;
}

// The reference is only a reference if it makes exactly the steps the emitter plans.
bool sameStepsAsEmitter(const std::vector<KeyStep>& rgReference, const std::string& strText,
                        const KeyTranslatorMap& map, std::string& strWhy)
{
  std::vector<KeyStep> rgPlanned = KeystrokePlanner::planText(strText.c_str(), map, 0, 0, false).rgSteps;
  if (rgPlanned.size() != rgReference.size())
  {
    strWhy = "the emitter plans " + std::to_string(rgPlanned.size()) + " steps, the reference makes " +
             std::to_string(rgReference.size());
    return false;
  }
  for (size_t i = 0; i < rgPlanned.size(); ++i)
    if (rgPlanned[i] != rgReference[i])
    {
      strWhy = "step " + std::to_string(i) + ": the emitter plans " + rgPlanned[i].describe() +
               ", the reference makes " + rgReference[i].describe();
      return false;
    }
  return true;
}

void typeRaw(const std::vector<KeyStep>& rgSteps)
{
  for (const KeyStep& step : rgSteps)
  {
    if (step.kind == KeyStep::Kind::Wait)
    {
      Sleep(static_cast<DWORD>(step.nMilliseconds));
      continue;
    }
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    if (step.kind == KeyStep::Kind::Key)
    {
      input.ki.wVk = static_cast<WORD>(static_cast<BYTE>(step.nVirtualKey));
      input.ki.wScan = static_cast<WORD>(static_cast<BYTE>(step.nScanCode));
      input.ki.dwFlags = step.dwFlags;
    }
    else
    {
      input.ki.wScan = static_cast<WORD>(step.nScanCode);
      input.ki.dwFlags = step.dwFlags;
    }
    SendInput(1, &input, sizeof input);
  }
}

double millisecondsSince(Clock::time_point start)
{
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

template <typename Typing>
Run measure(KeyTargetProcess& target, HANDLE hevtArrived, const std::string& strArrived, Typing typing)
{
  Run run;
  target.clearText();
  ResetEvent(hevtArrived);
  if (!target.bringToFront() || !target.notifyWhenLength(strArrived.size(), hevtArrived))
    return run;
  Clock::time_point start = Clock::now();
  typing();
  run.dCallMs = millisecondsSince(start);
  if (WaitForSingleObject(hevtArrived, kdwArrivalPatienceMs) != WAIT_OBJECT_0)
    return run;
  run.dArrivalMs = millisecondsSince(start);
  run.fOk = target.text() == strArrived;
  return run;
}

BenchRow row(const char* pszName, const std::vector<double>& rgdFigure, const std::vector<double>& rgdReference,
             const Side& figure, const Side& reference, size_t nRounds)
{
  BenchRow benchRow;
  benchRow.strName = pszName;
  benchRow.dFigure = benchstats::median(rgdFigure);
  benchRow.dReference = benchstats::median(rgdReference);
  benchRow.strUnit = "ms";
  benchRow.nSamples = nRounds;
  benchRow.nFailedFigure = figure.nFailed;
  benchRow.nFailedReference = reference.nFailed;
  return benchRow;
}
}  // namespace

int main(int argc, char** argv)
{
  int nRounds = argc > 1 ? std::atoi(argv[1]) : 9;
  KeyTargetProcess target("Quilbar Typing Bench");
  std::string strWhy;
  if (!target.isReady(strWhy))
  {
    std::fprintf(stderr, "%s\n", strWhy.c_str());
    return 1;
  }
  std::string strText = benchText();
  std::string strArrived = arrivedText(strText);
  KeyTranslatorMap map;
  std::vector<KeyStep> rgReferenceSteps = referenceSteps(strText);
  if (!sameStepsAsEmitter(rgReferenceSteps, strText, map, strWhy))
  {
    std::fprintf(stderr, "the raw reference no longer does the emitter's work: %s\n", strWhy.c_str());
    return 1;
  }
  KeyboardOutputSettings settings;
  settings.pmapKeyTranslator = &map;
  SystemKeyEventSink sink;
  SystemForegroundWindow foreground;
  NoCapsLock caps;
  KeystrokeEmitter emitter(sink, foreground, caps);
  emitter.setSettings(settings);
  UniqueHandle hevtArrived(CreateEventA(nullptr, TRUE, FALSE, nullptr));

  Side emitterSide, rawSide;
  alternateRounds(
      nRounds,
      [&](int) {
        std::string strReport;
        emitterSide.add(measure(target, hevtArrived.get(), strArrived,
                                [&] { emitter.sendKeystrokes(strText.c_str(), strReport, false); }));
      },
      [&](int) { rawSide.add(measure(target, hevtArrived.get(), strArrived, [&] { typeRaw(rgReferenceSteps); })); });
  size_t nRuns = static_cast<size_t>(nRounds);
  printBenchRow(row("typing 1,000 chars: last char arrived", emitterSide.rgdArrivalMs, rawSide.rgdArrivalMs,
                    emitterSide, rawSide, nRuns));
  printBenchRow(row("typing 1,000 chars: typing call returned", emitterSide.rgdCallMs, rawSide.rgdCallMs, emitterSide,
                    rawSide, nRuns));
  return emitterSide.nFailed + rawSide.nFailed == 0 ? 0 : 1;
}
