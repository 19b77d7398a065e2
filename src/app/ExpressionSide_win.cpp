#include "ExpressionSide_win.h"

#include "DataPath_win.h"
#include "MainWindowForm.h"
#include "PortLifecycle_win.h"
#include "settings/QuilbarProfile.h"

void ExpressionSide::openPort()
{
  m_port.OpenPort();
}

void ExpressionSide::closePort()
{
  m_port.ClosePort();
}

void ExpressionSide::setPendingProfile(const std::string& strName)
{
  m_dataPath.pipeline().setPendingProfile(strName);
}

void ExpressionSide::sendClipboardContents()
{
  m_dataPath.sendClipboardContents();
}

ProfilePortSettings ExpressionSide::getCurrentProfileSettings()
{
  ProfilePortSettings settings;
  const QuilbarProfile* pProfile = m_form.currentProfile();
  if (pProfile == nullptr)
    return settings;
  settings.strName = pProfile->getName();
  settings.strPort = pProfile->getPort();
  settings.strSpeed = pProfile->getSpeed();
  settings.strData = pProfile->getData();
  settings.strParity = pProfile->getParity();
  settings.strStop = pProfile->getStop();
  return settings;
}
