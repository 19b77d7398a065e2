// Any data string through the whole pipeline, under settings taken from the first input byte:
// duplicate filter, unknown-string filter, subscribers or keyboard, logging, and the output window
// lock. The realistic formats and replacements, plus formats whose expressions pick the data apart,
// must never crash, hang or leave a log event unwritten.
#include "CountingKeyEventSink.h"
#include "pipeline/DataStringPipeline.h"
#include "pipeline/EventLog.h"
#include "keyboard/KeystrokeEmitter.h"
#include "pipeline/MonitorSink.h"
#include "pipeline/ProfileSwitcher.h"
#include "RecordingExpressionActions.h"
#include "pipeline/SubscriberOutput.h"
#include "settings/QuilbarProfile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace
{
class FuzzForeground : public ForegroundWindow
{
public:
  bool getTitle(std::string& strTitle) const override
  {
    strTitle = "Orders";
    return m_fPresent;
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
  bool m_fPresent = true;
};

class CapsOff : public CapsLockState
{
public:
  int getCapsLockState() const override { return 0; }
};

class Outputs : public SubscriberOutput, public MonitorSink
{
public:
  size_t subscriberCount() const override { return m_nSubscribers; }
  void removeVanishedSubscribers() override {}
  SubscriberDelivery deliverToSubscribers(const std::string& strText) override
  {
    m_nDeliveries += strText.size() + 1;
    return SubscriberDelivery::Taken;
  }
  std::vector<std::string> subscriberTitles() const override { return {"Pelldrop", ""}; }
  size_t monitorCount() const override { return m_nMonitors; }
  void sendToMonitors(const std::string& strText) override
  {
    if (strText.find("\nTime Stamp = ") == std::string::npos)
      std::abort();
    ++m_nEvents;
  }
  size_t m_nSubscribers = 0;
  size_t m_nMonitors = 0;
  size_t m_nDeliveries = 0;
  size_t m_nEvents = 0;
};

class Profiles : public ProfileSwitcher
{
public:
  std::vector<std::string> getProfileNames() const override { return {"Default", "Lager2"}; }
  void switchToProfile(size_t nIndex, const std::string&) override
  {
    if (nIndex > 1)
      std::abort();
  }
};

// SetProfile's requests reach the pipeline as in the program.
class FuzzMainWindow : public RecordingMainWindow
{
public:
  void setPendingProfile(const std::string& strName) override { m_pPipeline->setPendingProfile(strName); }
  DataStringPipeline* m_pPipeline = nullptr;
};

class FixedClock : public LogClock
{
public:
  LocalTime localTime() override { return LocalTime(); }
};

void addFormat(QuilbarProfile& profile, const char* pszName, const char* pszOutput, const char* pszPattern)
{
  auto pFormat = std::make_unique<DataEditFormat>();
  pFormat->setName(pszName);
  pFormat->setOrder(profile.getDataEditFormatMap().getCount());
  pFormat->setOutput(pszOutput);
  auto pCriteria = std::make_unique<Criteria>();
  pCriteria->setKindStringExpression();
  pCriteria->setStartPosition(1);
  pCriteria->setExpression(pszPattern);
  pFormat->getCriteriaMap().add(std::move(pCriteria));
  profile.getDataEditFormatMap().add(pszName, std::move(pFormat));
}

void addReplacement(QuilbarProfile& profile, const char* pszInput, const char* pszReplace)
{
  auto pReplacement = std::make_unique<Replacement>();
  pReplacement->setInput(pszInput);
  pReplacement->setReplace(pszReplace);
  pReplacement->setOrder(profile.getReplacementMap().getCount());
  profile.getReplacementMap().add(std::move(pReplacement));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
  if (nSize < 1 || nSize > 1024)
    return 0;
  uint8_t bySettings = pData[0];
  RecordingExpressionActions actions;
  actions.m_nAnyWindowAt = 0;
  CountingKeyEventSink sink;
  FuzzForeground foreground;
  foreground.m_fPresent = (bySettings & 0x40) == 0;
  CapsOff caps;
  KeyTranslatorMap keyMap;
  KeyboardOutputSettings keyboardSettings;
  keyboardSettings.pmapKeyTranslator = &keyMap;
  keyboardSettings.fSendPreAndPostfixKeys = (bySettings & 0x20) != 0;
  keyboardSettings.fLockOutputWindow = (bySettings & 0x80) != 0;
  keyboardSettings.rgstrTitles = {"Ord*"};
  KeystrokeEmitter emitter(sink, foreground, caps);
  emitter.setSettings(keyboardSettings);
  Outputs outputs;
  outputs.m_nSubscribers = (bySettings & 0x01) != 0 ? 2 : 0;
  outputs.m_nMonitors = (bySettings & 0x02) != 0 ? 1 : 0;
  FixedClock clock;
  EventLog log(clock, &outputs);
  Profiles profiles;
  QuilbarProfile profile;
  profile.setDuplicateStringFilter((bySettings & 0x04) != 0 ? 1 : 0);
  profile.setDuplicateFilterTime(500);
  profile.setFilterUnkownDataStrings((bySettings & 0x08) != 0 ? 1 : 0);
  if ((bySettings & 0x10) != 0)
    profile.getDataEditFormatMap().removeAll();
  else
  {
    addFormat(profile, "Pick", "Mid(2, 3) + \"<TAB>\" + Left(2) + SetProfile(lager2)", "A*");
    addFormat(profile, "Trim", "Right(4) + \"<CR>\"", "?*<GS>*");
  }
  addReplacement(profile, "<CR>", "");
  addReplacement(profile, "x", "<NUL>");
  DataStringPipeline pipeline(actions, emitter, foreground, outputs, log, profiles);
  pipeline.setRunningProfile(&profile);
  FuzzMainWindow mainWindow;
  mainWindow.m_pPipeline = &pipeline;
  pipeline.setMainWindow(&mainWindow);

  // The rest of the input, cut at zero bytes, as successive data strings 100 ms apart.
  std::string strRest(reinterpret_cast<const char*>(pData) + 1, nSize - 1);
  size_t nStrings = 0;
  for (size_t nStart = 0; nStart <= strRest.size(); ++nStrings)
  {
    size_t nEnd = strRest.find('\0', nStart);
    if (nEnd == std::string::npos)
      nEnd = strRest.size();
    pipeline.processInputString(strRest.substr(nStart, nEnd - nStart).c_str());
    actions.m_nTick += 100;
    nStart = nEnd + 1;
  }
  if (outputs.m_nMonitors != 0 && outputs.m_nEvents != nStrings)
    std::abort();
  return 0;
}
