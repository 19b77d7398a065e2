#pragma once

#include "engine/DataEditFormatMap.h"

#include <functional>
#include <string>
#include <vector>

// The rules of "Data Editing Formats": the list of names in matching order, Add and Edit with the
// format editor (reopened on a name that exists), Remove, the moves, and the renumbering of OK.
// It works on the format map it is given; the list order becomes the order numbers on OK.
class DataEditFormatsForm
{
public:
  // Opens the format editor on a format with a caption; true when it ended with OK.
  using FormatEditor = std::function<bool(DataEditFormat& format, const std::string& strCaption)>;
  // Shows an error message (error icon).
  using ErrorReporter = std::function<void(const std::string& strMessage)>;

  static const char kszAddCaption[];
  static const char kszEditCaption[];
  static const char kszNameExists[];  // with the name

  explicit DataEditFormatsForm(DataEditFormatMap& map);

  const std::vector<std::string>& lines() const { return m_rgstrLines; }
  int selection() const { return m_nSelection; }
  // -1 (or any line that does not exist) selects nothing.
  void select(int nLine);

  bool canEdit() const { return m_nSelection >= 0; }
  bool canRemove() const { return canEdit(); }
  bool canMoveUp() const { return m_nSelection > 0; }
  bool canMoveDown() const { return m_nSelection >= 0 && m_nSelection + 1 < lineCount(); }

  void add(const FormatEditor& fnEdit, const ErrorReporter& fnError);
  void edit(const FormatEditor& fnEdit, const ErrorReporter& fnError);
  void remove();
  void moveUp();
  void moveDown();

  // OK: every format gets its list position as its order number.
  void commitOrder();

private:
  int lineCount() const { return static_cast<int>(m_rgstrLines.size()); }
  // Runs the editor until it is cancelled (false) or the name is free in the map (true).
  bool editUntilNameIsFree(DataEditFormat& format, const std::string& strCaption, const FormatEditor& fnEdit,
                           const ErrorReporter& fnError) const;
  void insertLine(int nLine, const std::string& strName);
  void moveSelectionTo(int nLine);

  DataEditFormatMap& m_map;
  std::vector<std::string> m_rgstrLines;
  int m_nSelection = -1;
};
