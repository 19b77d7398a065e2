// Data strings per second through the whole pipeline (lock, duplicate filter, replacements, format
// choice, output expression, keystroke planning or subscriber delivery, log event) on the realistic
// profile, with sinks that only count what reaches them.
#include "CountingKeyEventSink.h"
#include "pipeline/DataStringPipeline.h"
#include "pipeline/EventLog.h"
#include "keyboard/KeystrokeEmitter.h"
#include "pipeline/MonitorSink.h"
#include "pipeline/ProfileSwitcher.h"
#include "RealisticProfile.h"
#include "RecordingExpressionActions.h"
#include "pipeline/SubscriberOutput.h"
#include "settings/QuilbarProfile.h"

#include <benchmark/benchmark.h>

namespace
{
using namespace benchprofile;

class NoForegroundChange : public ForegroundWindow
{
public:
  bool getTitle(std::string& strTitle) const override
  {
    strTitle = "Orders - Editor";
    return true;
  }
  bool isOwnMainWindow() const override { return false; }
};

class CapsOff : public CapsLockState
{
public:
  int getCapsLockState() const override { return 0; }
};

class CountingSubscribers : public SubscriberOutput, public MonitorSink
{
public:
  size_t subscriberCount() const override { return m_nSubscribers; }
  void deliverToSubscribers(const std::string& strText) override { m_nBytes += strText.size(); }
  std::vector<std::string> subscriberTitles() const override { return {"Pelldrop"}; }
  size_t monitorCount() const override { return m_nMonitors; }
  void sendToMonitors(const std::string& strText) override { m_nBytes += strText.size(); }

  size_t m_nSubscribers = 0;
  size_t m_nMonitors = 0;
  size_t m_nBytes = 0;
};

class NoProfiles : public ProfileSwitcher
{
public:
  std::vector<std::string> getProfileNames() const override { return {}; }
  void switchToProfile(size_t, const std::string&) override {}
};

class FixedClock : public LogClock
{
public:
  LocalTime localTime() override { return LocalTime(); }
};

// nSubscribers 0 types; nMonitors 1 builds and sends every log event.
void runPipeline(benchmark::State& state, size_t nSubscribers, size_t nMonitors)
{
  RecordingExpressionActions actions;
  CountingKeyEventSink sink;
  NoForegroundChange foreground;
  CapsOff caps;
  KeyTranslatorMap keyMap;
  KeyboardOutputSettings keyboardSettings;
  keyboardSettings.pmapKeyTranslator = &keyMap;
  KeystrokeEmitter emitter(sink, foreground, caps);
  emitter.setSettings(keyboardSettings);
  CountingSubscribers subscribers;
  subscribers.m_nSubscribers = nSubscribers;
  subscribers.m_nMonitors = nMonitors;
  FixedClock clock;
  EventLog log(clock, &subscribers);
  NoProfiles profiles;
  QuilbarProfile profile;
  profile.getDataEditFormatMap() = makeFormats();
  profile.getReplacementMap() = makeReplacements();
  profile.setDuplicateStringFilter(1);
  profile.setDuplicateFilterTime(500);
  DataStringPipeline pipeline(actions, emitter, foreground, subscribers, log, profiles);
  pipeline.setRunningProfile(&profile);
  std::vector<std::string> rgstrData = makeDataStrings();
  size_t nNext = 0;
  for (auto _ : state)
  {
    pipeline.processInputString(rgstrData[nNext].c_str());
    nNext = (nNext + 1) % rgstrData.size();
    actions.m_nTick += 1000;
  }
  benchmark::DoNotOptimize(sink.m_nEvents);
  benchmark::DoNotOptimize(subscribers.m_nBytes);
  state.SetItemsProcessed(state.iterations());
}

void BM_PipelineKeyboard(benchmark::State& state)
{
  runPipeline(state, 0, 0);
}
BENCHMARK(BM_PipelineKeyboard);

void BM_PipelineSubscriber(benchmark::State& state)
{
  runPipeline(state, 1, 0);
}
BENCHMARK(BM_PipelineSubscriber);

void BM_PipelineKeyboardWithMonitor(benchmark::State& state)
{
  runPipeline(state, 0, 1);
}
BENCHMARK(BM_PipelineKeyboardWithMonitor);
}  // namespace

BENCHMARK_MAIN();
