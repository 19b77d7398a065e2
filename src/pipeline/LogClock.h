#pragma once

// A moment of local time as the event log stamps it.
struct LocalTime
{
  int nYear = 0;
  int nMonth = 0;  // 1 to 12
  int nDay = 0;
  int nHour = 0;
  int nMinute = 0;
  int nSecond = 0;
  int nMilliseconds = 0;
};

// Where the event log takes the time of its entries. The system's clock in the program; tests fix it.
class LogClock
{
public:
  virtual ~LogClock() = default;
  virtual LocalTime localTime() = 0;
};

// The system's local time.
class SystemLogClock : public LogClock
{
public:
  LocalTime localTime() override;
};
