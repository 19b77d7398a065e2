// Data strings per second through the whole pipeline (lock, duplicate filter, replacements, format
// choice, output expression, keystroke planning or subscriber delivery, log event) on the realistic
// profile, with sinks that only count what reaches them, each beside the same stages called by hand.
#include "CountingKeyEventSink.h"
#include "base/DataConv.h"
#include "engine/ExpressionEvaluator.h"
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
  uintptr_t windowId() const override { return 1; }
  bool getClassName(std::string& strClass) const override
  {
    strClass = "Edit";
    return true;
  }
  std::unique_ptr<TargetKeyboard> targetKeyboard() const override { return nullptr; }
  bool isOwnMainWindow() const override { return false; }
  bool isAboveOwnIntegrity() const override { return false; }
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
  void removeVanishedSubscribers() override {}
  SubscriberDelivery deliverToSubscribers(const std::string& strText) override
  {
    m_nBytes += strText.size();
    return SubscriberDelivery::Taken;
  }
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

// Everything one run needs. nSubscribers 0 types; nMonitors 1 builds and sends every log event.
struct Rig
{
  Rig(size_t nSubscribers, size_t nMonitors)
  {
    keyboardSettings.pmapKeyTranslator = &keyMap;
    emitter.setSettings(keyboardSettings);
    subscribers.m_nSubscribers = nSubscribers;
    subscribers.m_nMonitors = nMonitors;
    profile.getDataEditFormatMap() = makeFormats();
    profile.getReplacementMap() = makeReplacements();
    profile.setDuplicateStringFilter(1);
    profile.setDuplicateFilterTime(500);
    pipeline.setRunningProfile(&profile);
  }

  RecordingExpressionActions actions;
  CountingKeyEventSink sink;
  NoForegroundChange foreground;
  CapsOff caps;
  KeyTranslatorMap keyMap;
  KeyboardOutputSettings keyboardSettings;
  KeystrokeEmitter emitter{sink, foreground, caps};
  CountingSubscribers subscribers;
  FixedClock clock;
  EventLog log{clock, &subscribers};
  NoProfiles profiles;
  QuilbarProfile profile;
  DataStringPipeline pipeline{actions, emitter, foreground, subscribers, log, profiles};
  ExpressionEvaluator evaluator{actions};
};

void throughPipeline(Rig& rig, const std::string& strData)
{
  rig.pipeline.processInputString(strData.c_str());
  rig.actions.m_nTick += 1000;
}

void typePiece(const char* pszPiece, void* pContext1, void* pContext2)
{
  static_cast<KeystrokeEmitter*>(pContext1)->sendKeystrokes(pszPiece, *static_cast<std::string*>(pContext2), false);
}

void appendPiece(const char* pszPiece, void* pContext1, void*)
{
  static_cast<std::string*>(pContext1)->append(pszPiece);
}

// The reference: the stages called one after another by hand (replacements, the format choice,
// the format's expression typed or delivered, and with a monitor the same event details logged),
// without the pipeline's lock check, duplicate filter and bookkeeping around them.
void throughStagesByHand(Rig& rig, const std::string& strData)
{
  bool fLog = rig.subscribers.m_nMonitors > 0;
  std::vector<std::string> rgstrDetails;
  std::string strText = strData;
  if (fLog)
    rgstrDetails.push_back("Input String = " + DataConv::render(strText));
  rig.profile.getReplacementMap().applyReplacements(strText);
  if (fLog)
    rgstrDetails.push_back("Input String (after replacements) = " + DataConv::render(strText));
  DataEditFormat* pFormat = findMatchingFormat(rig.profile.getDataEditFormatMap(), strText);
  if (fLog)
    rgstrDetails.push_back("Matching Data Editing Format = " + pFormat->getName());
  ProgramHandle hProgram = nullptr;
  std::string strError;
  if (rig.subscribers.m_nSubscribers == 0)
  {
    std::string strReport;
    rig.emitter.sendPrefixKeys();
    rig.evaluator.evaluateExpression(pFormat->getOutput(), hProgram, nullptr, strText, strError, typePiece,
                                     &rig.emitter, &strReport);
    rig.emitter.sendPostfixKeys();
    if (fLog)
    {
      rgstrDetails.push_back("Keyboard Data = " + strReport);
      rig.log.logEvent("Keyboard Output", rgstrDetails);
    }
    return;
  }
  std::string strOutput;
  rig.evaluator.evaluateExpression(pFormat->getOutput(), hProgram, nullptr, strText, strError, appendPiece,
                                   &strOutput, nullptr);
  rig.subscribers.deliverToSubscribers(strOutput);
  if (fLog)
  {
    rgstrDetails.push_back("Subscriber Data = " + DataConv::render(strOutput));
    rig.log.logEvent("Subscriber Output", rgstrDetails);
  }
}

template <typename Process>
void run(benchmark::State& state, size_t nSubscribers, size_t nMonitors, Process process)
{
  Rig rig(nSubscribers, nMonitors);
  std::vector<std::string> rgstrData = makeDataStrings();
  size_t nNext = 0;
  for (auto _ : state)
  {
    process(rig, rgstrData[nNext]);
    nNext = (nNext + 1) % rgstrData.size();
  }
  benchmark::DoNotOptimize(rig.sink.m_nEvents);
  benchmark::DoNotOptimize(rig.subscribers.m_nBytes);
  state.SetItemsProcessed(state.iterations());
}

void runPipeline(benchmark::State& state, size_t nSubscribers, size_t nMonitors)
{
  run(state, nSubscribers, nMonitors, throughPipeline);
}

// The stages by hand must type, deliver and log as much as the pipeline does.
void runStagesByHand(benchmark::State& state, size_t nSubscribers, size_t nMonitors)
{
  Rig pipelineRig(nSubscribers, nMonitors), handRig(nSubscribers, nMonitors);
  for (const std::string& strData : makeDataStrings())
  {
    throughPipeline(pipelineRig, strData);
    throughStagesByHand(handRig, strData);
  }
  if (handRig.sink.m_nEvents != pipelineRig.sink.m_nEvents ||
      handRig.subscribers.m_nBytes != pipelineRig.subscribers.m_nBytes)
    state.SkipWithError("the stages by hand type, deliver or log another amount than the pipeline");
  run(state, nSubscribers, nMonitors, throughStagesByHand);
}

void BM_PipelineKeyboard(benchmark::State& state)
{
  runPipeline(state, 0, 0);
}
BENCHMARK(BM_PipelineKeyboard);

void BM_PipelineKeyboard_Reference(benchmark::State& state)
{
  runStagesByHand(state, 0, 0);
}
BENCHMARK(BM_PipelineKeyboard_Reference);

void BM_PipelineSubscriber(benchmark::State& state)
{
  runPipeline(state, 1, 0);
}
BENCHMARK(BM_PipelineSubscriber);

void BM_PipelineSubscriber_Reference(benchmark::State& state)
{
  runStagesByHand(state, 1, 0);
}
BENCHMARK(BM_PipelineSubscriber_Reference);

void BM_PipelineKeyboardWithMonitor(benchmark::State& state)
{
  runPipeline(state, 0, 1);
}
BENCHMARK(BM_PipelineKeyboardWithMonitor);

void BM_PipelineKeyboardWithMonitor_Reference(benchmark::State& state)
{
  runStagesByHand(state, 0, 1);
}
BENCHMARK(BM_PipelineKeyboardWithMonitor_Reference);
}  // namespace

BENCHMARK_MAIN();
