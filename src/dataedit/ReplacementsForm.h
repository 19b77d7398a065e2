#pragma once

#include "dialogs/OrderedListForm.h"
#include "engine/ReplacementMap.h"

#include <functional>
#include <string>

// The rules of "Input Data Replacements": one line per replacement ("Search<TAB>Replace", its key)
// in the order they run, Add and Edit with the replacement dialog, and the list rules of
// OrderedListForm. It works on the map it is given.
class ReplacementsForm : public OrderedListForm
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

  void add(const ReplacementEditor& fnEdit, const ErrorReporter& fnError);
  void edit(const ReplacementEditor& fnEdit, const ErrorReporter& fnError);

private:
  void removeRecord(const std::string& strLine) override;
  void setRecordOrder(const std::string& strLine, int nOrder) override;

  ReplacementMap& m_map;
};
