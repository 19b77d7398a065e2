// Typing speed under Wine: the emitter with delay 0 against a raw SendInput loop, both typing the
// same 1,000 characters (letters, digits, Enter) into the target program's edit control.
//   keyboard_typing_bench.exe [runs]
#include "keyboard/ForegroundWindow_win.h"
#include "keyboard/KeyEventSink_win.h"
#include "KeyTargetProcess_win.h"
#include "keyboard/KeystrokeEmitter.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

struct Timing
{
  double dCallMs;     // until the typing call returned
  double dArrivalMs;  // until the last character was in the edit control
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

// The edit control turns each carriage return into CR LF.
size_t arrivedLength(const std::string& strText)
{
  return strText.size() + static_cast<size_t>(std::count(strText.begin(), strText.end(), '\r'));
}

void rawSendInput(const std::string& strText)
{
  for (char ch : strText)
  {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    if (ch == '\r')
    {
      input.ki.wVk = VK_RETURN;
      input.ki.wScan = 0x1C;
      SendInput(1, &input, sizeof input);
      input.ki.dwFlags = KEYEVENTF_KEYUP;
      SendInput(1, &input, sizeof input);
    }
    else
    {
      input.ki.wScan = static_cast<WORD>(static_cast<unsigned char>(ch));
      input.ki.dwFlags = KEYEVENTF_UNICODE;
      SendInput(1, &input, sizeof input);
    }
  }
}

double millisecondsSince(Clock::time_point start)
{
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

template <typename Typing>
bool measure(KeyTargetProcess& target, const std::string& strText, Typing typing, Timing& timing)
{
  target.clearText();
  if (!target.bringToFront())
    return false;
  size_t nExpected = arrivedLength(strText);
  Clock::time_point start = Clock::now();
  typing();
  timing.dCallMs = millisecondsSince(start);
  while (target.text().size() < nExpected)
  {
    if (millisecondsSince(start) > 60000)
      return false;
    Sleep(1);
  }
  timing.dArrivalMs = millisecondsSince(start);
  return target.text().size() == nExpected;
}

double median(std::vector<double> rgd)
{
  std::sort(rgd.begin(), rgd.end());
  size_t n = rgd.size();
  return n % 2 ? rgd[n / 2] : (rgd[n / 2 - 1] + rgd[n / 2]) / 2;
}

void report(const char* pszName, const std::vector<Timing>& rgTimings, size_t nChars)
{
  std::vector<double> rgdCall, rgdArrival;
  for (const Timing& timing : rgTimings)
  {
    rgdCall.push_back(timing.dCallMs);
    rgdArrival.push_back(timing.dArrivalMs);
  }
  double dCall = median(rgdCall), dArrival = median(rgdArrival);
  std::printf("%-16s runs %zu  call %.1f ms (%.0f chars/s)  last char arrived %.1f ms (%.0f chars/s)\n", pszName,
              rgTimings.size(), dCall, nChars * 1000.0 / dCall, dArrival, nChars * 1000.0 / dArrival);
}
}  // namespace

int main(int argc, char** argv)
{
  int nRuns = argc > 1 ? std::atoi(argv[1]) : 5;
  KeyTargetProcess target("Quilbar Typing Bench");
  std::string strWhy;
  if (!target.isReady(strWhy))
  {
    std::fprintf(stderr, "%s\n", strWhy.c_str());
    return 1;
  }
  std::string strText = benchText();
  KeyTranslatorMap map;
  KeyboardOutputSettings settings;
  settings.pmapKeyTranslator = &map;
  SystemKeyEventSink sink;
  SystemForegroundWindow foreground;
  NoCapsLock caps;
  KeystrokeEmitter emitter(sink, foreground, caps);
  emitter.setSettings(settings);

  std::vector<Timing> rgEmitter, rgRaw;
  for (int i = 0; i < nRuns; ++i)
  {
    Timing timing;
    std::string strReport;
    if (!measure(target, strText, [&] { emitter.sendKeystrokes(strText.c_str(), strReport, false); }, timing))
    {
      std::fprintf(stderr, "emitter run %d: text did not arrive intact\n", i);
      return 1;
    }
    rgEmitter.push_back(timing);
    if (!measure(target, strText, [&] { rawSendInput(strText); }, timing))
    {
      std::fprintf(stderr, "raw run %d: text did not arrive intact\n", i);
      return 1;
    }
    rgRaw.push_back(timing);
  }
  report("sendKeystrokes", rgEmitter, strText.size());
  report("raw SendInput", rgRaw, strText.size());
  return 0;
}
