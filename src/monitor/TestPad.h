#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The test pad: the characters that arrived in the monitor's own edit field, set against what
// the wedge reports it typed. Every key carries the time the system stamped on it; the wedge
// reports a scan only after typing all of it and types the next only after the report, so the
// keys stamped up to a report's arrival are that scan's, and later ones belong to the next.
class TestPad
{
public:
  enum class Result
  {
    Waiting,
    Intact,
    Differs
  };
  struct Comparison
  {
    Result result = Result::Waiting;
    std::string strArrived;  // in the notation
    std::string strMessage;
  };

  // The bound on remembered characters: a pad that is typed into by hand keeps the last ones.
  static constexpr size_t kcchMax = 4096;

  void clear();
  void charArrived(char ch, uint32_t dwKeyTime);
  // A "Keyboard Output" report of the wedge while the pad had the focus, at dwNow.
  void wedgeTyped(const std::string& strTyped, uint32_t dwNow);
  Comparison latest() const;

  static Comparison compare(const std::string& strTyped, const std::string& strArrived);

private:
  std::string arrivedUpTo(uint32_t dwCut, bool fAfter) const;

  std::vector<std::pair<char, uint32_t>> m_rgArrived;
  bool m_fHaveScan = false;
  std::string m_strTyped;
  uint32_t m_dwPreviousCut = 0;
  uint32_t m_dwCut = 0;
  bool m_fHavePreviousCut = false;
};
