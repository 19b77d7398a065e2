#include "LogClock.h"

#include <ctime>

LocalTime SystemLogClock::localTime()
{
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  tm local;
  localtime_r(&now.tv_sec, &local);
  LocalTime time;
  time.nYear = local.tm_year + 1900;
  time.nMonth = local.tm_mon + 1;
  time.nDay = local.tm_mday;
  time.nHour = local.tm_hour;
  time.nMinute = local.tm_min;
  time.nSecond = local.tm_sec;
  time.nMilliseconds = static_cast<int>(now.tv_nsec / 1000000);
  return time;
}
