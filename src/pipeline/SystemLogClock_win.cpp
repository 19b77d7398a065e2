#include "LogClock.h"

#include <windows.h>

LocalTime SystemLogClock::localTime()
{
  SYSTEMTIME st;
  GetLocalTime(&st);
  LocalTime time;
  time.nYear = st.wYear;
  time.nMonth = st.wMonth;
  time.nDay = st.wDay;
  time.nHour = st.wHour;
  time.nMinute = st.wMinute;
  time.nSecond = st.wSecond;
  time.nMilliseconds = st.wMilliseconds;
  return time;
}
