#include "DataStringPipeline.h"

#include "base/TextCase.h"
#include "EventLog.h"
#include "OutputNotice.h"
#include "ProfileSwitcher.h"
#include "SubscriberOutput.h"
#include "base/Assert.h"
#include "base/DataConv.h"
#include "engine/Criteria.h"
#include "engine/GS1Normaliser.h"
#include "keyboard/KeystrokeEmitter.h"
#include "keyboard/OutputWindowLock.h"
#include "settings/QuilbarProfile.h"

#include <cctype>

namespace
{
const char kszNoSubscriberTookTheData[] = "no subscriber took the data";

// The keyboard output function: context 1 is the emitter, context 2 the report text.
void typePiece(const char* pszPiece, void* pContext1, void* pContext2)
{
  static_cast<KeystrokeEmitter*>(pContext1)->sendKeystrokes(pszPiece, *static_cast<std::string*>(pContext2), false);
}

// The subscriber output function: context 1 is the text being collected.
void appendPiece(const char* pszPiece, void* pContext1, void*)
{
  static_cast<std::string*>(pContext1)->append(pszPiece);
}

// The alerts of criteria with bad notation met while the formats are matched; shown once the
// matcher is done with the map. Only the main thread matches data strings.
std::vector<std::string>* g_prgstrHeldAlerts = nullptr;

void holdAlert(const char* pszMessage)
{
  if (g_prgstrHeldAlerts != nullptr)
    g_prgstrHeldAlerts->emplace_back(pszMessage);
}

}  // namespace

DataStringPipeline::DataStringPipeline(ExpressionActions& actions, KeystrokeEmitter& emitter,
                                       const ForegroundWindow& foregroundWindow, SubscriberOutput& subscribers,
                                       EventLog& log, ProfileSwitcher& profiles)
    : m_actions(actions),
      m_evaluator(actions),
      m_emitter(emitter),
      m_foregroundWindow(foregroundWindow),
      m_subscribers(subscribers),
      m_log(log),
      m_profiles(profiles)
{
}

// Logging is asked anew before every line: a monitor may subscribe while an expression waits.
bool DataStringPipeline::loggingActive() const
{
  return m_log.isEventOutputWanted();
}

// Never re-entered: a nested call would type its string in the middle of the one before, and an
// OpenPort or SetProfile it ran would free the format map the outer call is walking. Between two
// strings nothing of the running profile is in use: the actions that waited for that run there.
void DataStringPipeline::processInputString(const char* pszData)
{
  QB_ASSERT(NULL != pszData);
  m_rgstrWaiting.emplace_back(pszData);
  if (m_fTakingStrings)
    return;
  m_fTakingStrings = true;
  while (!m_rgstrWaiting.empty())
  {
    std::string strData = std::move(m_rgstrWaiting.front());
    m_rgstrWaiting.pop_front();
    m_fProcessing = true;
    processOne(strData);
    m_fProcessing = false;
    runIdleActions();
  }
  m_fTakingStrings = false;
}

void DataStringPipeline::whenIdle(std::function<void()> fnAction)
{
  if (!m_fProcessing)
  {
    fnAction();
    return;
  }
  m_rgfnWhenIdle.push_back(std::move(fnAction));
}

// An action may run a message loop (a port error box) that hands in more strings: they wait in
// the queue until the actions are done.
void DataStringPipeline::runIdleActions()
{
  while (!m_rgfnWhenIdle.empty())
  {
    std::function<void()> fnAction = std::move(m_rgfnWhenIdle.front());
    m_rgfnWhenIdle.pop_front();
    fnAction();
  }
}

// The alert is a message box whose loop runs the rest of the program: it is shown only once the
// matcher has finished walking the formats and their criteria.
DataEditFormat* DataStringPipeline::findFormatThenAlert(const std::string& strText)
{
  std::vector<std::string> rgstrAlerts;
  g_prgstrHeldAlerts = &rgstrAlerts;
  Criteria::ExpressionAlert pfnAlert = Criteria::setExpressionAlert(holdAlert);
  DataEditFormat* pFormat = findMatchingFormat(m_pRunningProfile->getDataEditFormatMap(), strText);
  Criteria::setExpressionAlert(pfnAlert);
  g_prgstrHeldAlerts = nullptr;
  for (const std::string& strAlert : rgstrAlerts)
    pfnAlert(strAlert.c_str());
  return pFormat;
}

void DataStringPipeline::processOne(const std::string& strData)
{
  QB_ASSERT(NULL != m_pRunningProfile);
  std::string strText(strData);
  std::string strEvent;
  std::vector<std::string> rgstrDetails;
  if (loggingActive())
    rgstrDetails.push_back("Input String = " + DataConv::render(strText));
  // A refusal left from a report built elsewhere (a test dialog) is not this string's.
  m_emitter.takeRefusal();
  m_emitter.takeSkipped();

  if (!passesOutputWindowLock(rgstrDetails))
    return;
  if (!passesDuplicateFilter(strText, rgstrDetails))
    return;

  normalise(strText, rgstrDetails);
  m_pRunningProfile->getReplacementMap().applyReplacements(strText);
  if (loggingActive())
    rgstrDetails.push_back("Input String (after replacements) = " + DataConv::render(strText));

  DataEditFormat* pFormat = findFormatThenAlert(strText);
  if (pFormat != nullptr)
    outputByFormat(*pFormat, strText, strEvent, rgstrDetails);
  else if (m_pRunningProfile->getFilterUnkownDataStrings() != 0)
  {
    if (loggingActive())
      strEvent = "Data Filtered";
  }
  else
    passThrough(strText, strEvent, rgstrDetails);

  if (loggingActive())
  {
    if (m_subscribers.subscriberCount() > 0)
      addSubscriberTitles(rgstrDetails);
    m_log.logEvent(strEvent, rgstrDetails);
  }
  runPendingProfileSwitch();
}

// Before the replacements, so that they and the formats see the element string whatever form the
// scanner sent; the duplicate filter has compared the string as received.
void DataStringPipeline::normalise(std::string& strText, std::vector<std::string>& rgstrDetails)
{
  GS1Normaliser::Result result = GS1Normaliser::normalise(strText, m_pRunningProfile->getGS1InputForms());
  m_evaluator.setSymbology(result.strSymbology);
  if (loggingActive() && !result.strNotConverted.empty())
    rgstrDetails.push_back("GS1 Input Not Converted = " + result.strNotConverted);
  if (result.strText == strText)
    return;
  strText.swap(result.strText);
  if (loggingActive())
    rgstrDetails.push_back("Input String (after normalisation) = " + DataConv::render(strText));
}

bool DataStringPipeline::passesOutputWindowLock(std::vector<std::string>& rgstrDetails)
{
  const KeyboardOutputSettings& settings = m_emitter.getSettings();
  if (isOutputWindowUnlocked(settings.fLockOutputWindow, settings.rgstrTitles, m_foregroundWindow))
    return true;
  if (loggingActive())
  {
    rgstrDetails.push_back(foregroundDetail());
    m_log.logEvent("Locked Window(s) Not Active", rgstrDetails);
  }
  notifyNotTyped(describeKeyboardRefusal(KeyboardRefusal::kLockedWindowNotInFront));
  return false;
}

std::string DataStringPipeline::foregroundDetail() const
{
  std::string strTitle;
  if (m_foregroundWindow.getTitle(strTitle))
    return "Current Window's Title = " + strTitle;
  return "No Active Window";
}

void DataStringPipeline::notifyNotTyped(const std::string& strReason)
{
  if (m_pNotice != nullptr)
    m_pNotice->outputNotTyped(strReason);
}

void DataStringPipeline::notifyDelivered()
{
  if (m_pNotice != nullptr)
    m_pNotice->outputDelivered();
}

// Whatever kept keystrokes back during this string (the gate is asked before every character, and
// the system's count of events taken after every event) and every character the key map has no
// recipe for go into the event with the title of the window in front, and to the user's notice.
void DataStringPipeline::reportKeyboardOutcome(std::vector<std::string>& rgstrDetails)
{
  std::string strReason = describeKeyboardOutcome(m_emitter.takeRefusal(), m_emitter.takeSkipped());
  if (strReason.empty())
  {
    notifyDelivered();
    return;
  }
  if (loggingActive())
  {
    rgstrDetails.push_back("Not Typed = " + strReason);
    rgstrDetails.push_back(foregroundDetail());
  }
  notifyNotTyped(strReason);
}

// The tick counter wraps every 49.7 days; the unsigned difference stays right across the wrap.
// The time is renewed on every filtered duplicate, so a steady stream of equal strings stays
// filtered. Before the first string there is nothing to be a duplicate of, not even an empty one.
bool DataStringPipeline::passesDuplicateFilter(const std::string& strText, std::vector<std::string>& rgstrDetails)
{
  if (m_pRunningProfile->getDuplicateStringFilter() != 1)
    return true;
  uint32_t dwNow = m_actions.tickCount();
  uint32_t dwElapsed = dwNow - m_dwPreviousInputTime;
  if (m_fHavePreviousInput && dwElapsed < m_pRunningProfile->getDuplicateFilterTime() && strText == m_strPreviousInput)
  {
    if (loggingActive())
    {
      rgstrDetails.push_back("Time Between Duplicates = " + std::to_string(dwElapsed) + " ms");
      m_log.logEvent("Duplicate String Filtered", rgstrDetails);
    }
    m_dwPreviousInputTime = dwNow;
    return false;
  }
  m_dwPreviousInputTime = dwNow;
  m_strPreviousInput = strText;
  m_fHavePreviousInput = true;
  return true;
}

// The format's name and expression are copied before the evaluation: an expression may close and
// reopen the port, which replaces the running profile and with it the format record.
void DataStringPipeline::outputByFormat(DataEditFormat& format, const std::string& strText, std::string& strEvent,
                                        std::vector<std::string>& rgstrDetails)
{
  const std::string strName = format.getName();
  const std::string strExpression = format.getOutput();
  if (loggingActive())
    rgstrDetails.push_back("Matching Data Editing Format = " + strName);
  if (!hasSubscribers())
    outputToKeyboard(strName, strExpression, strText, strEvent, rgstrDetails);
  else
    outputToSubscribers(strName, strExpression, strText, strEvent, rgstrDetails);
}

void DataStringPipeline::outputToKeyboard(const std::string& strName, const std::string& strExpression,
                                          const std::string& strText, std::string& strEvent,
                                          std::vector<std::string>& rgstrDetails)
{
  m_emitter.sendPrefixKeys();
  std::string strReport;
  std::string strError;
  bool fOk = evaluateFormat(strName, strExpression, strText, strError, typePiece, &m_emitter, &strReport);
  if (loggingActive())
  {
    strEvent = fOk ? "Keyboard Output" : "FORMAT ERROR!!!";
    rgstrDetails.push_back(fOk ? "Keyboard Data = " + strReport : "Error Message = " + strError);
  }
  m_emitter.sendPostfixKeys();
  reportKeyboardOutcome(rgstrDetails);
}

void DataStringPipeline::outputToSubscribers(const std::string& strName, const std::string& strExpression,
                                             const std::string& strText, std::string& strEvent,
                                             std::vector<std::string>& rgstrDetails)
{
  m_strSubscriberOutput.clear();
  std::string strError;
  if (!evaluateFormat(strName, strExpression, strText, strError, appendPiece, &m_strSubscriberOutput, nullptr))
  {
    if (loggingActive())
    {
      strEvent = "FORMAT ERROR!!!";
      rgstrDetails.push_back("Error Message = " + strError);
    }
    return;
  }
  deliverOrType(m_strSubscriberOutput, true, strEvent, rgstrDetails);
}

void DataStringPipeline::passThrough(const std::string& strText, std::string& strEvent,
                                     std::vector<std::string>& rgstrDetails)
{
  if (loggingActive())
    rgstrDetails.push_back("No matching data edit format, data passed through");
  if (!hasSubscribers())
  {
    typeUndelivered(strText, false, strEvent, rgstrDetails);
    return;
  }
  deliverOrType(strText, false, strEvent, rgstrDetails);
}

// A text that no subscriber took while subscribers remain (each hung or did not answer in time)
// went nowhere: it is reported as not delivered, never as output, and it is not typed either,
// since the subscribers keep the keyboard for themselves.
void DataStringPipeline::deliverOrType(const std::string& strText, bool fWithChords, std::string& strEvent,
                                       std::vector<std::string>& rgstrDetails)
{
  SubscriberDelivery delivery = m_subscribers.deliverToSubscribers(strText);
  if (delivery == SubscriberDelivery::NoneLeft)
  {
    typeUndelivered(strText, fWithChords, strEvent, rgstrDetails);
    return;
  }
  bool fTaken = delivery == SubscriberDelivery::Taken;
  if (fTaken)
    notifyDelivered();
  else
    notifyNotTyped(kszNoSubscriberTookTheData);
  if (!loggingActive())
    return;
  strEvent = fTaken ? "Subscriber Output" : "Subscriber Output Not Delivered";
  rgstrDetails.push_back("Subscriber Data = " + DataConv::render(strText));
  if (!fTaken)
    rgstrDetails.push_back(std::string("Not Delivered = ") + kszNoSubscriberTookTheData);
}

// The program an expression starts is remembered in its format so that the next evaluation of
// the same format can wait for it; the format is looked up again because the evaluation may have
// replaced the running profile.
bool DataStringPipeline::evaluateFormat(const std::string& strName, const std::string& strExpression,
                                        const std::string& strText, std::string& strError, OutputFunction pfnOutput,
                                        void* pContext1, void* pContext2)
{
  DataEditFormat* pFormat = m_pRunningProfile->getDataEditFormatMap().lookup(strName);
  ProgramHandle hRunningProgram = pFormat != nullptr ? pFormat->getRunningProgram() : nullptr;
  bool fOk = m_evaluator.evaluateExpression(strExpression, hRunningProgram, m_pMainWindow, strText, strError,
                                            pfnOutput, pContext1, pContext2);
  pFormat = m_pRunningProfile->getDataEditFormatMap().lookup(strName);
  if (pFormat != nullptr)
    pFormat->setRunningProgram(hRunningProgram);
  return fOk;
}

// A subscriber that ended without unsubscribing is dropped here, before the choice between
// keyboard and subscribers, so that its data string is typed instead of vanishing.
bool DataStringPipeline::hasSubscribers()
{
  m_subscribers.removeVanishedSubscribers();
  return m_subscribers.subscriberCount() > 0;
}

// Typed as the keyboard output of the same text would be: the text a format made for subscribers
// between the prefix and postfix chords, a passed-through string without them. Reached when no
// subscriber was left, also when the last one vanished during the delivery.
void DataStringPipeline::typeUndelivered(const std::string& strText, bool fWithChords, std::string& strEvent,
                                         std::vector<std::string>& rgstrDetails)
{
  if (fWithChords)
    m_emitter.sendPrefixKeys();
  std::string strReport;
  m_emitter.sendKeystrokes(strText.c_str(), strReport, false);
  if (fWithChords)
    m_emitter.sendPostfixKeys();
  if (loggingActive())
  {
    strEvent = "Keyboard Output";
    rgstrDetails.push_back("Keyboard Data = " + strReport);
  }
  reportKeyboardOutcome(rgstrDetails);
}

void DataStringPipeline::addSubscriberTitles(std::vector<std::string>& rgstrDetails) const
{
  std::string strTitles;
  for (const std::string& strTitle : m_subscribers.subscriberTitles())
    strTitles += strTitle + ", ";
  if (strTitles.size() > 2)
    strTitles.erase(strTitles.size() - 2);
  rgstrDetails.push_back("Subscribers = " + strTitles);
}

// A name that matches no entry stays pending and is tried again after the next data string.
void DataStringPipeline::runPendingProfileSwitch()
{
  if (m_strPendingProfile.empty())
    return;
  std::vector<std::string> rgstrNames = m_profiles.getProfileNames();
  for (size_t i = 0; i < rgstrNames.size(); ++i)
  {
    if (equalsIgnoringCase(rgstrNames[i], m_strPendingProfile))
    {
      std::string strName = m_strPendingProfile;
      m_strPendingProfile.clear();
      m_profiles.switchToProfile(i, strName);
      return;
    }
  }
}
