#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// Keeps the wedge from going deaf when its device goes away: a USB-serial adapter pulled out, or
// a port left invalid by sleep. The running port that stops answering is closed and opened again
// every two seconds, without message boxes, until it answers; the user sees it on the tray icon
// and the event log has both ends. Opening and closing by the user (or an output expression)
// ends any retrying. Portable rules; the main window does the opening, closing and timing.
class PortRecovery
{
public:
  static const unsigned kuRetryMs = 2000;
  static const char kszEventGone[];    // "Serial Port Gone"
  static const char kszEventBack[];    // "Serial Port Back"
  static const char kszEventResume[];  // "Serial Port Checked After Resume"

  enum class State
  {
    kClosed,  // no port open, none wanted
    kOpen,    // the running port is open
    kGone,    // the running port went away: it is retried
  };

  State state() const { return m_state; }
  bool isRetrying() const { return m_state == State::kGone; }

  // An opening begins: its port is known by the generation returned, which the communication
  // thread carries in its failure report. Read from that thread through generation().
  uint32_t opening() { return ++m_dwGeneration; }
  uint32_t generation() const { return m_dwGeneration.load(); }
  // The port was opened (by anyone, retries included). True when it came back from kGone.
  bool opened();
  // The port was closed on purpose, or an opening asked for by the user failed: no retrying.
  void closed();
  // The open port of that generation stopped answering. True when this is news: the caller then
  // closes the port, shows goneTip, logs goneDetails and starts retrying. Reported again, or
  // about a port of an earlier opening, nothing new.
  bool lost(uint32_t dwGeneration);
  // The computer resumed: true when a port is wanted (open, or being retried), so the caller
  // closes and opens it afresh.
  bool wantsReopenOnResume() const { return m_state != State::kClosed; }

  // "COM5 gone: reconnecting by itself", cut to fit the tray.
  static std::string goneTip(const std::string& strPort);
  static std::vector<std::string> goneDetails(const std::string& strPort, const std::string& strError);
  static std::vector<std::string> backDetails(const std::string& strPort);

private:
  State m_state = State::kClosed;
  std::atomic<uint32_t> m_dwGeneration{0};
};
