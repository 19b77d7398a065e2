#pragma once

#include "engine/ReplacementMap.h"

#include <functional>
#include <string>
#include <vector>

// The rules of "Input Data Replacements": one line per replacement ("Search<TAB>Replace", its key)
// in the order they run, Add and Edit with the replacement dialog, Remove, the moves, and the
// renumbering of OK. It works on the map it is given.
class ReplacementsForm
{
public:
  // Opens the replacement dialog on a replacement with a caption; true when it ended with OK.
  using ReplacementEditor = std::function<bool(Replacement& replacement, const std::string& strCaption)>;
  // Shows an error message (stop icon).
  using ErrorReporter = std::function<void(const std::string& strMessage)>;

  static const char kszAddCaption[];
  static const char kszEditCaption[];
  static const char kszKeyExists[];  // with the key

  explicit ReplacementsForm(ReplacementMap& map);

  const std::vector<std::string>& lines() const { return m_rgstrLines; }
  int selection() const { return m_nSelection; }
  // -1 (or any line that does not exist) selects nothing.
  void select(int nLine);

  bool canEdit() const { return m_nSelection >= 0; }
  bool canRemove() const { return canEdit(); }
  bool canMoveUp() const { return canMove(m_nSelection, m_nSelection - 1); }
  bool canMoveDown() const { return canMove(m_nSelection, m_nSelection + 1); }

  void add(const ReplacementEditor& fnEdit, const ErrorReporter& fnError);
  void edit(const ReplacementEditor& fnEdit, const ErrorReporter& fnError);
  void remove();
  void moveUp();
  void moveDown();

  // OK: every replacement gets its list position as its order.
  void commitOrder();

private:
  int lineCount() const { return static_cast<int>(m_rgstrLines.size()); }
  bool canMove(int nFrom, int nTo) const;
  void move(int nFrom, int nTo);

  ReplacementMap& m_map;
  std::vector<std::string> m_rgstrLines;
  int m_nSelection = -1;
};
