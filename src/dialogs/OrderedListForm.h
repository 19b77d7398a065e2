#pragma once

#include <string>
#include <vector>

// The lines of a list whose order is the order its records run in (formats, replacements): the
// selection, the moves, Remove, and OK giving every record its line position as its order.
// Derived forms add Add and Edit, and say how a line's record is removed and renumbered.
class OrderedListForm
{
public:
  const std::vector<std::string>& lines() const { return m_rgstrLines; }
  int selection() const { return m_nSelection; }
  // -1 (or any line that does not exist) selects nothing.
  void select(int nLine);

  bool canEdit() const { return m_nSelection >= 0; }
  bool canRemove() const { return canEdit(); }
  bool canMoveUp() const { return canMove(m_nSelection, m_nSelection - 1); }
  bool canMoveDown() const { return canMove(m_nSelection, m_nSelection + 1); }

  // The selection stays on the same line, or goes to the new last line when the last was removed.
  void remove();
  void moveUp() { move(m_nSelection, m_nSelection - 1); }
  void moveDown() { move(m_nSelection, m_nSelection + 1); }

  // OK: every record gets its line position as its order.
  void commitOrder();

protected:
  explicit OrderedListForm(std::vector<std::string> rgstrLines) : m_rgstrLines(std::move(rgstrLines)) {}
  ~OrderedListForm() = default;
  OrderedListForm(const OrderedListForm&) = delete;
  OrderedListForm& operator=(const OrderedListForm&) = delete;

  virtual void removeRecord(const std::string& strLine) = 0;
  virtual void setRecordOrder(const std::string& strLine, int nOrder) = 0;

  int lineCount() const { return static_cast<int>(m_rgstrLines.size()); }
  // Inserts a line before nLine (at the end for lineCount()) and selects it.
  void insertLine(int nLine, const std::string& strLine);
  void replaceLine(int nLine, const std::string& strLine) { m_rgstrLines[nLine] = strLine; }
  void eraseLine(int nLine);
  // Where Add puts a new line: before the selected one, or at the end when nothing is selected.
  int insertionPoint() const { return m_nSelection >= 0 ? m_nSelection : lineCount(); }

private:
  bool canMove(int nFrom, int nTo) const;
  void move(int nFrom, int nTo);

  std::vector<std::string> m_rgstrLines;
  int m_nSelection = -1;
};
