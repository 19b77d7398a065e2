#include "TestPad.h"

#include "base/DataConv.h"

namespace
{
// Tick counts wrap every 49.7 days: a time is at or before another when the signed difference says so.
bool atOrBefore(uint32_t dwTime, uint32_t dwCut)
{
  return static_cast<int32_t>(dwTime - dwCut) <= 0;
}

std::string quoted(char ch)
{
  return "\"" + DataConv::render(std::string(1, ch)) + "\"";
}
}  // namespace

void TestPad::clear()
{
  *this = TestPad();
}

void TestPad::charArrived(char ch, uint32_t dwKeyTime)
{
  if (m_rgArrived.size() == kcchMax)
    m_rgArrived.erase(m_rgArrived.begin());
  m_rgArrived.emplace_back(ch, dwKeyTime);
}

// Keys of scans before the previous one are no longer needed.
void TestPad::wedgeTyped(const std::string& strTyped, uint32_t dwNow)
{
  if (m_fHaveScan)
  {
    uint32_t dwOld = m_dwCut;
    std::vector<std::pair<char, uint32_t>> rgKept;
    for (const auto& key : m_rgArrived)
      if (!atOrBefore(key.second, dwOld))
        rgKept.push_back(key);
    m_rgArrived.swap(rgKept);
    m_dwPreviousCut = dwOld;
    m_fHavePreviousCut = true;
  }
  m_fHaveScan = true;
  m_strTyped = strTyped;
  m_dwCut = dwNow;
}

std::string TestPad::arrivedUpTo(uint32_t dwCut, bool fAfter) const
{
  std::string strArrived;
  for (const auto& key : m_rgArrived)
  {
    bool fInScan = atOrBefore(key.second, dwCut) && (!m_fHavePreviousCut || !atOrBefore(key.second, m_dwPreviousCut));
    bool fLater = !atOrBefore(key.second, dwCut);
    if (fAfter ? fLater : fInScan)
      strArrived += key.first;
  }
  return strArrived;
}

// Keys that came after the last report are a scan still being typed: the pad waits for its report.
TestPad::Comparison TestPad::latest() const
{
  if (!m_fHaveScan)
  {
    std::string strArrived;
    for (const auto& key : m_rgArrived)
      strArrived += key.first;
    Comparison waiting;
    waiting.strArrived = DataConv::render(strArrived);
    waiting.strMessage = "Click into the pad and scan: what arrives is compared with what Quilbar typed.";
    return waiting;
  }
  std::string strPending = arrivedUpTo(m_dwCut, true);
  if (!strPending.empty())
  {
    Comparison waiting;
    waiting.strArrived = DataConv::render(strPending);
    waiting.strMessage = "Arriving: waiting for Quilbar's report of this scan.";
    return waiting;
  }
  return compare(m_strTyped, arrivedUpTo(m_dwCut, false));
}

TestPad::Comparison TestPad::compare(const std::string& strTyped, const std::string& strArrived)
{
  Comparison comparison;
  comparison.strArrived = DataConv::render(strArrived);
  size_t i = 0;
  while (i < strTyped.size() && i < strArrived.size() && strTyped[i] == strArrived[i])
    ++i;
  if (i == strTyped.size() && i == strArrived.size())
  {
    comparison.result = Result::Intact;
    comparison.strMessage = "Arrived intact: " + std::to_string(i) + (i == 1 ? " character" : " characters") +
                            ", exactly as Quilbar typed them.";
    return comparison;
  }
  comparison.result = Result::Differs;
  std::string strAt = "Differs at character " + std::to_string(i + 1) + ": ";
  if (i == strArrived.size())
    comparison.strMessage = strAt + "Quilbar typed " + quoted(strTyped[i]) + ", nothing more arrived.";
  else if (i == strTyped.size())
    comparison.strMessage = strAt + quoted(strArrived[i]) + " arrived, Quilbar typed nothing more.";
  else
    comparison.strMessage = strAt + "Quilbar typed " + quoted(strTyped[i]) + ", " + quoted(strArrived[i]) + " arrived.";
  return comparison;
}
