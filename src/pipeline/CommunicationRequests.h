#pragma once

#include <string>

// What other programs may ask of the communication thread. The thread implements it while it runs
// and hands it to the subscriber protocol; while the port is closed there is none.
class CommunicationRequests
{
public:
  virtual ~CommunicationRequests() = default;

  // Replaces the external data with the text (inside its critical section) and signals the thread,
  // which cuts it into data strings like bytes from the port. False when the text was refused.
  virtual bool injectExternalData(const std::string& strText) = 0;
  // Asks the thread to send the clipboard contents out of the port.
  virtual void sendClipboardContents() = 0;
};
