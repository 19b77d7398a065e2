#pragma once

#include "engine/ExpressionActions.h"

#include <cstddef>
#include <vector>

// An ordered set of window handles: the subscriber list or the monitor list.
class SubscriberList
{
public:
  typedef bool (*IsWindowFunction)(WindowHandle hWindow);

  // pfnIsWindow tells whether a handle names an existing window.
  explicit SubscriberList(IsWindowFunction pfnIsWindow);

  // Appends the handle unless it is no existing window or is already present; false then.
  bool add(WindowHandle hWindow);
  // Removes the handle when present; false when it was not.
  bool remove(WindowHandle hWindow);
  void removeAll() { m_rghWindows.clear(); }
  size_t getCount() const { return m_rghWindows.size(); }
  // Null for an index outside 0 ... count - 1.
  WindowHandle getAt(size_t nIndex) const;
  // A copy to walk while sending: a receiver may change the list meanwhile.
  std::vector<WindowHandle> snapshot() const { return m_rghWindows; }

private:
  IsWindowFunction m_pfnIsWindow;
  std::vector<WindowHandle> m_rghWindows;
};
