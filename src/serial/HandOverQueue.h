#pragma once

#include <deque>
#include <functional>
#include <string>

// Finished data strings waiting for their hand-over to the main window, oldest first. A
// hand-over can fail (the window's posted-message queue is full, no memory for the copy); the
// string then stays here and every later one waits behind it, so nothing is lost or reordered.
// Used by one thread at a time: the communication thread while it runs, the main thread otherwise.
class HandOverQueue
{
public:
  // Hands one string over; true when the receiver now owns it.
  using Deliver = std::function<bool(const std::string&)>;

  void push(std::string strDataString) { m_rgstrPending.push_back(std::move(strDataString)); }

  // Hands over in order until one fails; returns how many were handed over.
  size_t flush(const Deliver& fnDeliver);

  bool empty() const { return m_rgstrPending.empty(); }
  size_t size() const { return m_rgstrPending.size(); }

private:
  std::deque<std::string> m_rgstrPending;
};
