#pragma once

#include "engine/MainWindowActions.h"

class DataPath;
class MainWindowForm;
class PortLifecycle;

// What output expressions ask of the main window: the port, a profile switch at the end of the
// string, the clipboard sent out of the port, the current profile's port settings.
class ExpressionSide : public MainWindowActions
{
public:
  ExpressionSide(PortLifecycle& port, DataPath& dataPath, MainWindowForm& form)
      : m_port(port), m_dataPath(dataPath), m_form(form)
  {
  }
  void openPort() override;
  void closePort() override;
  void setPendingProfile(const std::string& strName) override;
  void sendClipboardContents() override;
  ProfilePortSettings getCurrentProfileSettings() override;

private:
  PortLifecycle& m_port;
  DataPath& m_dataPath;
  MainWindowForm& m_form;
};
