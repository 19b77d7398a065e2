#pragma once

#include <string>
#include <vector>

// The controls of one dialog or page as the portable rules see them: texts, choices, ticks and
// enable states, addressed by control id. The Windows layer reads and writes real controls; the
// native tests keep them in memory.
class ControlValues
{
public:
  virtual ~ControlValues() = default;

  virtual std::string getText(int nId) const = 0;
  virtual void setText(int nId, const std::string& strText) = 0;
  // A drop-down list: selects the entry equal to the text, adding it first when the list lacks it
  // (a stored value the list does not offer is shown and kept, never lost).
  virtual void selectChoice(int nId, const std::string& strText) = 0;
  virtual bool isChecked(int nId) const = 0;
  virtual void setChecked(int nId, bool fChecked) = 0;
  virtual void setEnabled(int nId, bool fEnabled) = 0;
  // A list a page keeps for a control that opens its editor (the Window page's titles).
  virtual std::vector<std::string> getList(int nId) const;
  virtual void setList(int nId, const std::vector<std::string>& rgstrList);
};
