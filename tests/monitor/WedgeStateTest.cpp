#include "monitor/WedgeState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
MonitorEvent eventOf(std::string strText)
{
  strText.insert(strText.find('\n') == std::string::npos ? strText.size() : strText.find('\n'), "\nTime Stamp = t");
  MonitorEvent event;
  EXPECT_TRUE(MonitorEvent::parse(strText.data(), strText.size(), event)) << strText;
  return event;
}

struct StateRow
{
  std::vector<const char*> rgpszEvents;
  const char* pszState;
};

TEST(WedgeStateTest, TheStateLineFollowsTheWedgesEvents)
{
  const char* pszConnected = "Connected\nProgram Info = Tarnwick Quilbar 3.21\nActive Profile = Line1";
  const StateRow rows[] = {
      {{}, "No Quilbar is running: the monitor connects as soon as one starts."},
      {{pszConnected}, "Tarnwick Quilbar 3.21    Profile: Line1    Port: not reported yet"},
      {{"Connected\nProgram Info = Tarnwick Quilbar 3.21\nActive Profile = "},
       "Tarnwick Quilbar 3.21    Profile: (not reported)    Port: not reported yet"},
      {{pszConnected, "Keyboard Output\nInput String = 1"}, "Tarnwick Quilbar 3.21    Profile: Line1    Port: open, data arriving"},
      {{pszConnected, "Serial Port Gone\nPort = COM5\nError = gone"},
       "Tarnwick Quilbar 3.21    Profile: Line1    Port COM5: gone, reconnecting by itself (gone)"},
      {{pszConnected, "Serial Port Gone\nPort = COM5\nError = e", "Keyboard Output\nInput String = 1", "Serial Port Back\nPort = COM5"},
       "Tarnwick Quilbar 3.21    Profile: Line1    Port COM5: open"},
      {{pszConnected, "Entering Settings dialog"}, "Tarnwick Quilbar 3.21    Profile: Line1    Port: closed while the settings are open"},
      {{pszConnected, "Switching Profile\nName = Line2"}, "Tarnwick Quilbar 3.21    Profile: Line2    Port: not reported yet"},
      {{pszConnected, "Serial Port Gone\nPort = COM5\nError = e", "Connected\nProgram Info = Tarnwick Quilbar 3.21\nActive Profile = B"},
       "Tarnwick Quilbar 3.21    Profile: B    Port: not reported yet"},
      {{pszConnected, "Buckle Your Seatbelt Dorothy, Because Quilbar is Going Bye-bye"}, "Quilbar is unloading."},
  };
  for (const StateRow& row : rows)
  {
    std::string strTrace;
    WedgeState state;
    for (const char* pszEvent : row.rgpszEvents)
    {
      strTrace += std::string(pszEvent) + " | ";
      state.apply(eventOf(pszEvent));
    }
    SCOPED_TRACE(strTrace);
    EXPECT_EQ(row.pszState, state.describe());
  }
}

TEST(WedgeStateTest, AWedgeThatEndedIsWaitedForAndItsPortForgotten)
{
  WedgeState state;
  state.apply(eventOf("Connected\nProgram Info = Q\nActive Profile = A"));
  state.apply(eventOf("Serial Port Back\nPort = COM5"));
  state.setLink(WedgeState::Link::Gone);
  EXPECT_EQ("Quilbar has ended: the monitor connects again as soon as it starts.", state.describe());
  EXPECT_EQ(WedgeState::Port::NotReported, state.port());
}
}  // namespace
