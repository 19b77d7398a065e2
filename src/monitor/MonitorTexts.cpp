#include "MonitorTexts.h"

#include "ScanTable.h"

namespace MonitorTexts
{
const char kszTitle[] = "Tarnwick Quilbar Monitor";
const char kszSubscribeNotRegistered[] = "Failed to register the subscription message.";

// A wedge that did not answer in time, or named no profile, is told apart by its place.
std::string chooserLine(const MonitorEvent* pConnected, size_t nIndex)
{
  std::string strNumber = "Quilbar " + std::to_string(nIndex + 1);
  if (pConnected == nullptr)
    return strNumber + ": did not answer";
  std::string strProfile;
  std::string strProgram;
  pConnected->detail("Program Info", strProgram);
  if (!pConnected->detail("Active Profile", strProfile) || strProfile.empty())
    return strNumber + ": profile not reported" + (strProgram.empty() ? "" : " (" + strProgram + ")");
  return strProfile + (strProgram.empty() ? "" : " (" + strProgram + ")");
}

std::string countLine(size_t nRows, bool fPaused, size_t nMissed)
{
  std::string strLine = std::to_string(nRows) + (nRows == 1 ? " string" : " strings") + " (the last " +
                        "1,000 are kept)";
  static_assert(ScanTable::kcRows == 1000, "the count line names the bound");
  if (fPaused)
    strLine = "Paused: " + std::to_string(nMissed) + " not shown; " + strLine;
  return strLine;
}

std::string notSaved(const std::string& strFile)
{
  return "Unable to write the file " + strFile + ".";
}
}  // namespace MonitorTexts
