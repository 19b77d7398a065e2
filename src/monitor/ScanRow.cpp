#include "ScanRow.h"

namespace
{
std::string detailOr(const MonitorEvent& event, const std::string& strKey, const std::string& strMissing = "")
{
  std::string strValue;
  return event.detail(strKey, strValue) ? strValue : strMissing;
}

// Which window was in front when the wedge kept the output back.
std::string inFront(const MonitorEvent& event)
{
  std::string strTitle;
  if (event.detail("Current Window's Title", strTitle))
    return " (\"" + strTitle + "\" in front)";
  if (event.hasDetail("No Active Window"))
    return " (no window in front)";
  return "";
}

// Subscriber titles are listed joined by ", "; a title holding that pair counts twice, which
// is as close as the event allows.
size_t countSubscribers(const std::string& strTitles)
{
  if (strTitles.empty())
    return 0;
  size_t nCount = 1;
  for (size_t nAt = strTitles.find(", "); nAt != std::string::npos; nAt = strTitles.find(", ", nAt + 2))
    ++nCount;
  return nCount;
}

std::string sentFate(const MonitorEvent& event)
{
  std::string strTitles;
  if (!event.detail("Subscribers", strTitles) || strTitles.empty())
    return "sent to the subscribers";
  size_t nCount = countSubscribers(strTitles);
  return "sent to " + std::to_string(nCount) + (nCount == 1 ? " subscriber (" : " subscribers (") + strTitles + ")";
}

std::string typedFate(const MonitorEvent& event, ScanRow::Fate& fate)
{
  std::string strReason;
  if (event.detail("Not Typed", strReason))
  {
    fate = ScanRow::Fate::NotTyped;
    std::string strKeys = detailOr(event, "Keyboard Data");
    return "not typed: " + strReason + inFront(event) + (strKeys.empty() ? "" : "; typed before: " + strKeys);
  }
  fate = ScanRow::Fate::Typed;
  return "typed: " + detailOr(event, "Keyboard Data");
}

std::string fateOf(const MonitorEvent& event, ScanRow::Fate& fate)
{
  const std::string& strName = event.strName;
  if (strName == "Keyboard Output")
    return typedFate(event, fate);
  if (strName == "Subscriber Output")
  {
    fate = ScanRow::Fate::Sent;
    return sentFate(event);
  }
  if (strName == "Duplicate String Filtered")
  {
    fate = ScanRow::Fate::Duplicate;
    return "filtered as a duplicate (" + detailOr(event, "Time Between Duplicates", "?") + " after the one before)";
  }
  if (strName == "Data Filtered")
  {
    fate = ScanRow::Fate::Unknown;
    return "dropped as unknown: no format matched";
  }
  if (strName == "Data Held For Locked Window")
  {
    fate = ScanRow::Fate::Held;
    return "held for the locked window" + inFront(event) + ", " + detailOr(event, "Strings Held", "?") + " waiting";
  }
  fate = ScanRow::Fate::NotTyped;
  if (strName == "Locked Window(s) Not Active")
    return "not typed: locked window not in front" + inFront(event);
  if (strName == "Held Data Dropped")
    return "not typed: " + detailOr(event, "Reason", "dropped while held");
  if (strName == "FORMAT ERROR!!!")
    return "not typed: error in the format's output: " + detailOr(event, "Error Message");
  fate = ScanRow::Fate::Other;
  return strName;
}

// "2026-12-09 14:05:09.042" shows as its time of day; anything else as it came.
std::string timeOfDay(const std::string& strTimeStamp)
{
  return strTimeStamp.size() == 23 && strTimeStamp[10] == ' ' ? strTimeStamp.substr(11) : strTimeStamp;
}
}  // namespace

bool ScanRow::fromEvent(const MonitorEvent& event, ScanRow& row)
{
  std::string strArrived;
  if (!event.detail("Input String", strArrived))
    return false;
  ScanRow made;
  made.strTime = timeOfDay(event.strTimeStamp);
  made.strArrived = strArrived;
  made.strAfterReplacements = detailOr(event, "Input String (after replacements)");
  made.strFormat = detailOr(event, "Matching Data Editing Format");
  if (made.strFormat.empty() && event.hasDetail("No matching data edit format, data passed through"))
    made.strFormat = "(none: passed through)";
  made.strFate = fateOf(event, made.fate);
  made.strEvent = event.strText;
  row = std::move(made);
  return true;
}

std::string ScanRow::line() const
{
  return strTime + "\t" + strArrived + "\t" + strAfterReplacements + "\t" + strFormat + "\t" + strFate;
}
