#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

// Monitor texts of events logged on the communication thread, waiting for the main window's
// thread, which owns the monitor list, to send them, in the order they were logged. The window
// is told by one posted message for any number of texts; a message that could not be posted is
// asked for again by the next text. Bounded: such events come at most a few a second, and a
// window that stopped taking messages must not make them pile up without end.
class MonitorTextQueue
{
public:
  static constexpr size_t kMaxTexts = 1000;

  // True when the window must be told (no notice is outstanding). A text beyond the bound is
  // dropped (the log file has it).
  bool push(std::string strText);
  // The notice could not be posted: the next text asks again.
  void noticeLost();
  // Everything waiting, oldest first; the next text asks for a new notice.
  std::vector<std::string> takeAll();

private:
  std::mutex m_mutex;
  std::vector<std::string> m_rgstrTexts;
  bool m_fNoticeOutstanding = false;
};
