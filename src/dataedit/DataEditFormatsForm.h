#pragma once

#include "dialogs/OrderedListForm.h"
#include "engine/DataEditFormatMap.h"

#include <functional>
#include <string>

// The rules of "Data Editing Formats": the names in matching order, Add and Edit with the format
// editor (reopened on a name that exists), and the list rules of OrderedListForm. It works on the
// format map it is given.
class DataEditFormatsForm : public OrderedListForm
{
public:
  // Opens the format editor on a format with a caption; true when it ended with OK.
  using FormatEditor = std::function<bool(DataEditFormat& format, const std::string& strCaption)>;
  // Shows an error message (stop icon).
  using ErrorReporter = std::function<void(const std::string& strMessage)>;

  static const char kszAddCaption[];
  static const char kszEditCaption[];
  static const char kszNameExists[];  // with the name

  explicit DataEditFormatsForm(DataEditFormatMap& map);

  void add(const FormatEditor& fnEdit, const ErrorReporter& fnError);
  void edit(const FormatEditor& fnEdit, const ErrorReporter& fnError);

private:
  void removeRecord(const std::string& strLine) override;
  void setRecordOrder(const std::string& strLine, int nOrder) override;
  // Runs the editor until it is cancelled (false) or the name is free in the map (true).
  bool editUntilNameIsFree(DataEditFormat& format, const std::string& strCaption, const FormatEditor& fnEdit,
                           const ErrorReporter& fnError) const;

  DataEditFormatMap& m_map;
};
