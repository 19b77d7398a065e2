#pragma once

#include "ScanRow.h"

#include <cstddef>
#include <deque>
#include <string>

// The data strings the monitor shows: the newest kcRows at most, oldest first, so that a day of
// scanning keeps the program's memory where the first thousand put it.
class ScanTable
{
public:
  static constexpr size_t kcRows = 1000;

  // True when the oldest row made room for it (every index moved down by one).
  bool add(ScanRow row);
  void clear() { m_rows.clear(); }
  size_t size() const { return m_rows.size(); }
  const ScanRow& row(size_t nIndex) const { return m_rows[nIndex]; }

  // The rows with their whole events, as copied and saved: a heading, then each row's line
  // followed by its event indented, lines ending in CR LF.
  std::string report(size_t nFirst, size_t nCount) const;

private:
  std::deque<ScanRow> m_rows;
};
