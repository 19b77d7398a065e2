#pragma once

#include "base/DialogBase_win.h"

class QuilbarProfile;

// "Hardware Pin Events": which rises and falls of the modem status lines count as pin events.
// OK stores the eight choices into the profile copy; Cancel leaves them.
class CHardwarePinEventsDialog : public CDialogBase
{
public:
  explicit CHardwarePinEventsDialog(QuilbarProfile& profile);

protected:
  bool onInit() override;
  void onOk() override;

private:
  QuilbarProfile& m_profile;
};
