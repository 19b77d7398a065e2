#include "HeldDataRoute_win.h"

#include "pipeline/DataStringPipeline.h"
#include "pipeline/OutputNotice.h"
#include "settings/QuilbarProfile.h"

HeldDataRoute::HeldDataRoute(DataStringPipeline& pipeline, EventLog& log, OutputNotice& notice)
    : m_pipeline(pipeline), m_notice(notice), m_hold(m_foregroundWindow, log, *this)
{
}

void HeldDataRoute::start()
{
  m_pPump = std::make_unique<HeldDataPump>(m_hold);
}

void HeldDataRoute::stop()
{
  m_pPump.reset();
}

// The pump passes the string on to the pipeline at once when it need not wait.
void HeldDataRoute::submit(const std::string& strData)
{
  if (m_pPump)
    m_pPump->submit(strData);
  else
    m_pipeline.processInputString(strData.c_str());
}

void HeldDataRoute::takeSettings(const QuilbarProfile& profile)
{
  if (m_pPump)
    m_pPump->setSettings(profile.getLockOutputWindow() == 1, profile.getTitles(), profile.getHoldForLockedWindow() == 1,
                         profile.getHoldTimeLimit());
}

void HeldDataRoute::deliverHeld(const std::string& strData)
{
  m_pipeline.processInputString(strData.c_str());
}

// The hold has logged the drop; the tray tells the user, who may not be watching the log.
void HeldDataRoute::heldDataDropped(const std::string&, const std::string& strReason)
{
  m_notice.outputNotTyped(strReason);
}
