#pragma once

#include "PolicyLocks.h"
#include "base/DialogBase_win.h"

class QuilbarProfile;

// "Hardware Pin Events": which rises and falls of the modem status lines count as pin events.
// OK stores the eight choices into the profile copy; Cancel leaves them. Choices an
// administrator set by policy are shown dimmed.
class CHardwarePinEventsDialog : public CDialogBase
{
public:
  CHardwarePinEventsDialog(QuilbarProfile& profile, const PolicyLocks& locks);

protected:
  bool onInit() override;
  void onOk() override;

private:
  QuilbarProfile& m_profile;
  PolicyLocks m_locks;
};
