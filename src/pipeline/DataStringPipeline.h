#pragma once

#include "engine/ExpressionEvaluator.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

class DataEditFormat;
class EventLog;
class ForegroundWindow;
class KeystrokeEmitter;
class MainWindowActions;
class OutputNotice;
class ProfileSwitcher;
class QuilbarProfile;
class SubscriberOutput;

// The fixed sequence every data string goes through on the main thread: output window lock,
// duplicate filter, input data replacements, choice of format, output expression, keystrokes or
// subscribers, one log event, and the profile switch the expression asked for.
class DataStringPipeline
{
public:
  DataStringPipeline(ExpressionActions& actions, KeystrokeEmitter& emitter, const ForegroundWindow& foregroundWindow,
                     SubscriberOutput& subscribers, EventLog& log, ProfileSwitcher& profiles);

  // The running profile, which OpenPort refreshes; it must outlive the pipeline's use of it.
  void setRunningProfile(QuilbarProfile* pProfile) { m_pRunningProfile = pProfile; }
  // What output expressions act on; null leaves their main window actions out.
  void setMainWindow(MainWindowActions* pMainWindow) { m_pMainWindow = pMainWindow; }
  // Told whether each string's output went out; null tells nobody.
  void setOutputNotice(OutputNotice* pNotice) { m_pNotice = pNotice; }

  // SetProfile's request, carried out at the end of the data string being processed.
  void setPendingProfile(const std::string& strName) { m_strPendingProfile = strName; }
  const std::string& getPendingProfile() const { return m_strPendingProfile; }

  // Runs the data string through the pipeline. Strings are processed one at a time, in the order
  // they come: one that comes while another is processed (a message box or a wait inside the
  // processing runs a message loop, which delivers the next WM_DATASTRING) waits, and is processed
  // when the one before it is finished. The call that delivered it returns at once.
  void processInputString(const char* pszData);
  // True while a data string is being processed (the main window's other handlers may use it to
  // keep from changing the running profile under it).
  bool isProcessing() const { return m_fProcessing; }
  size_t waitingCount() const { return m_rgstrWaiting.size(); }

  ExpressionEvaluator& evaluator() { return m_evaluator; }

private:
  void processOne(const std::string& strData);
  bool loggingActive() const;
  bool passesOutputWindowLock(std::vector<std::string>& rgstrDetails);
  bool passesDuplicateFilter(const std::string& strText, std::vector<std::string>& rgstrDetails);
  void normalise(std::string& strText, std::vector<std::string>& rgstrDetails);
  void outputByFormat(DataEditFormat& format, const std::string& strText, std::string& strEvent,
                      std::vector<std::string>& rgstrDetails);
  void outputToKeyboard(const std::string& strName, const std::string& strExpression, const std::string& strText,
                        std::string& strEvent, std::vector<std::string>& rgstrDetails);
  void outputToSubscribers(const std::string& strName, const std::string& strExpression, const std::string& strText,
                           std::string& strEvent, std::vector<std::string>& rgstrDetails);
  void passThrough(const std::string& strText, std::string& strEvent, std::vector<std::string>& rgstrDetails);
  bool evaluateFormat(const std::string& strName, const std::string& strExpression, const std::string& strText,
                      std::string& strError, OutputFunction pfnOutput, void* pContext1, void* pContext2);
  void deliverOrType(const std::string& strText, bool fWithChords, std::string& strEvent,
                     std::vector<std::string>& rgstrDetails);
  bool hasSubscribers();
  void typeUndelivered(const std::string& strText, bool fWithChords, std::string& strEvent,
                       std::vector<std::string>& rgstrDetails);
  void addSubscriberTitles(std::vector<std::string>& rgstrDetails) const;
  void reportKeyboardOutcome(std::vector<std::string>& rgstrDetails);
  void notifyNotTyped(const std::string& strReason);
  void notifyDelivered();
  std::string foregroundDetail() const;
  void runPendingProfileSwitch();

  ExpressionActions& m_actions;
  ExpressionEvaluator m_evaluator;
  KeystrokeEmitter& m_emitter;
  const ForegroundWindow& m_foregroundWindow;
  SubscriberOutput& m_subscribers;
  EventLog& m_log;
  ProfileSwitcher& m_profiles;
  QuilbarProfile* m_pRunningProfile = nullptr;
  MainWindowActions* m_pMainWindow = nullptr;
  OutputNotice* m_pNotice = nullptr;

  std::string m_strPreviousInput;
  uint32_t m_dwPreviousInputTime = 0;
  bool m_fHavePreviousInput = false;
  std::string m_strSubscriberOutput;
  std::string m_strPendingProfile;
  bool m_fProcessing = false;
  std::deque<std::string> m_rgstrWaiting;
};
