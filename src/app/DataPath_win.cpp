#include "DataPath_win.h"

#include "base/Assert.h"
#include "pipeline/DataStringMessage_win.h"
#include "serial/SerialMessages_win.h"

DataPath::DataPath(ProfileSwitcher& profiles, MainWindowActions& mainWindow)
    : m_log(m_clock, nullptr),
      m_protocol(m_log),
      m_emitter(m_keySink, m_foregroundWindow, m_capsLock),
      m_pipeline(m_actions, m_emitter, m_foregroundWindow, m_protocol, m_log, profiles),
      m_requests(*this)
{
  m_log.setMonitorSink(&m_protocol);
  m_pipeline.setMainWindow(&mainWindow);
  m_pipeline.setRunningProfile(&m_runningProfile);
}

void DataPath::attachWindow(HWND hwndMain, PortHost& host)
{
  QB_ASSERT(!m_pPortOwner);
  m_hwndMain = hwndMain;
  m_pPortOwner = std::make_unique<PortOwner>(hwndMain, host);
  SystemForegroundWindow::setMainWindow(hwndMain);
  m_protocol.setMainWindow(hwndMain);
  m_protocol.setCommunicationRequests(&m_requests);
}

bool DataPath::PortRequests::injectExternalData(const std::string& strText)
{
  return m_path.m_pPortOwner && m_path.m_pPortOwner->takeExternalData(strText.c_str());
}

// Called while the communication thread is stopped: it reads the log settings too.
void DataPath::takeRunningProfile(const QuilbarProfile& profile)
{
  m_runningProfile = profile;
  KeyboardOutputSettings settings;
  settings.nIntercharacterDelay = static_cast<int>(profile.getIntercharacterDelay());
  settings.fSendPreAndPostfixKeys = profile.getSendPreAndPostfixKeys() == 1;
  settings.fLockOutputWindow = profile.getLockOutputWindow() == 1;
  settings.rgstrTitles = profile.getTitles();
  settings.pmapKeyTranslator = &m_runningProfile.getKeyTranslatorMap();
  settings.pTypingRules = &m_runningProfile.getTypingRules();
  m_emitter.setSettings(settings);
  m_log.setSettings(profile.getLogging(), profile.getLogFilename());
}

bool DataPath::openPort(const QuilbarProfile& profile)
{
  QB_ASSERT(m_pPortOwner);
  m_pPortOwner->ClosePort();
  takeRunningProfile(profile);
  return m_pPortOwner->OpenPort(profile);
}

void DataPath::closePort()
{
  if (m_pPortOwner)
    m_pPortOwner->ClosePort();
}

void DataPath::sendClipboardContents()
{
  if (m_pPortOwner)
    m_pPortOwner->SendClipboardContents();
}

std::vector<std::string> DataPath::takeDataStrings(LPARAM lParam)
{
  return takeDataStringMessage(m_hwndMain, lParam, m_log);
}

bool DataPath::handleProtocolMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lAnswer)
{
  return m_protocol.handleMessage(uMsg, wParam, lParam, lAnswer);
}
