#pragma once

#include "engine/ExpressionActions_win.h"
#include "keyboard/ForegroundWindow_win.h"
#include "keyboard/KeyEventSink_win.h"
#include "keyboard/KeystrokeEmitter.h"
#include "keyboard/TesselBinding_win.h"
#include "pipeline/CommunicationRequests.h"
#include "pipeline/DataStringPipeline.h"
#include "pipeline/EventLog.h"
#include "pipeline/LogClock.h"
#include "pipeline/SubscriberProtocol_win.h"
#include "serial/PortOwner_win.h"
#include "settings/QuilbarProfile.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class MainWindowActions;
class PortHost;
class ProfileSwitcher;

// Everything a data string passes on its way from the port to its destination, wired together
// for the main window: the port and its threads, the pipeline, keystroke emission with the
// caps-lock library, the subscriber protocol and the event log. The main window's thread makes
// every call.
class DataPath
{
public:
  // Registers the subscriber protocol's seven messages, in their order.
  DataPath(ProfileSwitcher& profiles, MainWindowActions& mainWindow);
  DataPath(const DataPath&) = delete;
  DataPath& operator=(const DataPath&) = delete;

  // The main window exists: the port owner (with its external data lock) is created for it, and
  // injected text goes to the port owner from now on, whether a port is open or not.
  void attachWindow(HWND hwndMain, PortHost& host);

  // Closes the port, takes the profile as the running profile of the pipeline, the keystrokes
  // and the log, and opens the port with it.
  bool openPort(const QuilbarProfile& profile);
  void closePort();
  void sendClipboardContents();

  // A WM_DATASTRING: the strings it hands to the window, taken from their blocks, oldest first.
  std::vector<std::string> takeDataStrings(LPARAM lParam);
  // Handles a message of the subscriber protocol; true when the caller answers it with lAnswer
  // (see SubscriberProtocol::handleMessage), false when it goes on to the default processing.
  bool handleProtocolMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lAnswer);

  bool bindCapsLock() { return m_capsLock.bind(); }
  void unbindCapsLock() { m_capsLock.unbind(); }

  EventLog& eventLog() { return m_log; }
  DataStringPipeline& pipeline() { return m_pipeline; }
  SubscriberProtocol& protocol() { return m_protocol; }
  PortOwner* portOwner() { return m_pPortOwner.get(); }

private:
  // What other programs ask of the port, passed to the port owner.
  class PortRequests : public CommunicationRequests
  {
  public:
    explicit PortRequests(DataPath& path) : m_path(path) {}
    bool injectExternalData(const std::string& strText) override;
    void sendClipboardContents() override { m_path.sendClipboardContents(); }

  private:
    DataPath& m_path;
  };

  void takeRunningProfile(const QuilbarProfile& profile);

  HWND m_hwndMain = nullptr;
  SystemLogClock m_clock;
  EventLog m_log;
  SubscriberProtocol m_protocol;
  ExpressionActionsWin m_actions;
  SystemKeyEventSink m_keySink;
  SystemForegroundWindow m_foregroundWindow;
  TesselBinding m_capsLock;
  KeystrokeEmitter m_emitter;
  DataStringPipeline m_pipeline;
  PortRequests m_requests;
  // The pipeline's and the keystrokes' settings; one object for the whole run, so the pointers
  // into it stay valid while a new profile is copied in.
  QuilbarProfile m_runningProfile;
  std::unique_ptr<PortOwner> m_pPortOwner;
};
