#pragma once

#include "engine/ExpressionActions.h"

#include <cstddef>
#include <string>
#include <vector>

// An ordered set of window handles: the subscriber list or the monitor list. Each handle keeps
// the name its window had when it was added, to name it once the window is gone.
class SubscriberList
{
public:
  typedef bool (*IsWindowFunction)(WindowHandle hWindow);

  struct Member
  {
    WindowHandle hWindow;
    std::string strName;
  };

  // pfnIsWindow tells whether a handle names an existing window.
  explicit SubscriberList(IsWindowFunction pfnIsWindow);

  // Appends the handle unless it is no existing window or is already present; false then.
  bool add(WindowHandle hWindow, const std::string& strName = std::string());
  // Removes the handle when present; false when it was not.
  bool remove(WindowHandle hWindow);
  void removeAll() { m_rgMembers.clear(); }
  // Removes every handle whose window no longer exists; the removed ones in list order.
  std::vector<Member> removeVanished();
  size_t getCount() const { return m_rgMembers.size(); }
  // Null for an index outside 0 ... count - 1.
  WindowHandle getAt(size_t nIndex) const;
  // The name given when the handle was added; empty for a handle not in the list.
  std::string nameOf(WindowHandle hWindow) const;
  // A copy to walk while sending: a receiver may change the list meanwhile.
  std::vector<WindowHandle> snapshot() const;

private:
  std::vector<Member>::const_iterator find(WindowHandle hWindow) const;

  IsWindowFunction m_pfnIsWindow;
  std::vector<Member> m_rgMembers;
};
