#pragma once

#include "keyboard/ForegroundWindow_win.h"
#include "pipeline/HeldDataPump_win.h"
#include "pipeline/HeldDataSink.h"
#include "pipeline/LockedOutputHold.h"

#include <memory>
#include <string>

class DataStringPipeline;
class EventLog;
class OutputNotice;
class QuilbarProfile;

// The way of every data string from the port into the pipeline: through the hold for a locked
// window while the pump runs (from the main window's initialisation to its destruction), straight
// into the pipeline before and after.
class HeldDataRoute : public HeldDataSink
{
public:
  HeldDataRoute(DataStringPipeline& pipeline, EventLog& log, OutputNotice& notice);

  // Made and ended on the main window's thread: its hook and timer deliver through that thread's
  // messages.
  void start();
  void stop();

  void submit(const std::string& strData);
  // The running profile's lock and hold, whenever the port starts.
  void takeSettings(const QuilbarProfile& profile);

  // HeldDataSink
  void deliverHeld(const std::string& strData) override;
  void heldDataDropped(const std::string& strData, const std::string& strReason) override;

private:
  DataStringPipeline& m_pipeline;
  OutputNotice& m_notice;
  SystemForegroundWindow m_foregroundWindow;
  LockedOutputHold m_hold;
  std::unique_ptr<HeldDataPump> m_pPump;
};
